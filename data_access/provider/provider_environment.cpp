#include "data_access/provider/provider_environment.h"

#include "data_access/provider/provider_connection.h"
#include "data_access/provider/provider_recordset.h"

namespace dbAx::provider {

Result ProviderEnvironment::Initialize() {
    std::lock_guard lock(mutex_);
    return starts_++ == 0 ? kfx::S_OK : kfx::S_FALSE;
}

void ProviderEnvironment::Uninitialize() {
    {
        std::lock_guard lock(mutex_);
        if (starts_ == 0 || --starts_ > 0) return;
    }
    pool_.CloseAll();
}

bool ProviderEnvironment::Started() {
    std::lock_guard lock(mutex_);
    return starts_ > 0;
}

Result ProviderEnvironment::CreateConnection(std::unique_ptr<platform::Connection>* connection) {
    if (!connection) return kfx::E_POINTER;
    if (!Started()) return kfx::E_UNEXPECTED;
    *connection = std::make_unique<ProviderConnection>(backends_, pool_);
    return kfx::S_OK;
}

Result ProviderEnvironment::CreateRecordset(std::unique_ptr<platform::Recordset>* recordset) {
    if (!recordset) return kfx::E_POINTER;
    if (!Started()) return kfx::E_UNEXPECTED;
    *recordset = std::make_unique<ProviderRecordset>();
    return kfx::S_OK;
}

}  // namespace dbAx::provider
