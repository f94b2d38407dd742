// The provider environment: starts and stops like the platform's runtime
// and makes the generic connection and recordset objects. The backends it
// serves are given at construction.
#pragma once

#include <chrono>
#include <mutex>

#include "data_access/platform/database.h"
#include "data_access/provider/backend_selection.h"
#include "data_access/provider/session_pool.h"

namespace dbAx::provider {

class ProviderEnvironment : public platform::Environment {
public:
    explicit ProviderEnvironment(BackendSelection backends,
                                 std::chrono::steady_clock::duration idleTime = kPooledSessionIdleTime)
        : backends_(std::move(backends)), pool_(idleTime) {}

    // Counted like the platform runtime: HR_S_OK the first time, HR_S_FALSE while
    // already started; each call wants its Uninitialize. The last
    // Uninitialize closes every pooled session.
    Result Initialize() override;
    void Uninitialize() override;
    // Both fail with HR_E_UNEXPECTED while the environment is not started.
    // Connections refer to the environment, which must outlive them.
    Result CreateConnection(std::unique_ptr<platform::Connection>* connection) override;
    Result CreateRecordset(std::unique_ptr<platform::Recordset>* recordset) override;

private:
    bool Started();

    BackendSelection backends_;
    SessionPool pool_;  // after the backends: its sessions go first
    std::mutex mutex_;
    int starts_ = 0;
};

}  // namespace dbAx::provider
