#include "data_access/provider/default_environment.h"

#include "data_access/provider/embedded_backend.h"
#include "data_access/provider/odbc_backend.h"
#include "data_access/provider/provider_environment.h"

namespace dbAx {
namespace {

provider::BackendSelection DefaultBackends() {
    provider::BackendSelection backends;
    backends.RegisterPrefix(std::string(kEmbeddedDataSourcePrefix), std::make_unique<provider::EmbeddedBackend>());
    backends.RegisterOdbc(std::make_unique<provider::OdbcBackend>());
    return backends;
}

}  // namespace

platform::Environment& DefaultEnvironment() {
    static provider::ProviderEnvironment environment(DefaultBackends());
    return environment;
}

}  // namespace dbAx
