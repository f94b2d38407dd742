#include "data_access/provider/provider_environment.h"

#include "data_access/provider/provider_connection.h"
#include "data_access/provider/provider_recordset.h"

namespace dbAx::provider {

Result ProviderEnvironment::Initialize() {
    std::lock_guard lock(mutex_);
    return starts_++ == 0 ? kfx::HR_S_OK : kfx::HR_S_FALSE;
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
    if (!connection) return kfx::HR_E_POINTER;
    if (!Started()) return kfx::HR_E_UNEXPECTED;
    *connection = std::make_unique<ProviderConnection>(backends_, pool_);
    return kfx::HR_S_OK;
}

Result ProviderEnvironment::CreateRecordset(std::unique_ptr<platform::Recordset>* recordset) {
    if (!recordset) return kfx::HR_E_POINTER;
    if (!Started()) return kfx::HR_E_UNEXPECTED;
    *recordset = std::make_unique<ProviderRecordset>();
    return kfx::HR_S_OK;
}

}  // namespace dbAx::provider
