// The ODBC backend, for real servers: the data source is an ODBC data source
// name (the IBM i Access ODBC driver on a site, PostgreSQL in our tests),
// opened with the user and password of the settings through the
// wide-character calls of the driver manager, waiting for the login at most
// the login timeout (odbc_timeouts.h). Every diagnostic record of a failed
// call becomes one error message in the server's own words.
#pragma once

#include <memory>
#include <mutex>

#include "data_access/provider/backend.h"
#include "data_access/provider/odbc_handles.h"

namespace dbAx::provider {

class OdbcBackend : public Backend {
public:
    Result Connect(std::string_view dataSource, const std::string& user, const std::string& password,
                   std::unique_ptr<Session>* session, ErrorMessages& errors) override;

private:
    // The environment, started by the first Connect; null with the reason when it cannot start.
    std::shared_ptr<OdbcHandle> Environment(ErrorMessages& errors, Result* failed);

    // Connections on several threads share the environment, and each session
    // shares it: a connection may outlive the backend when a call to it was given up.
    std::mutex mutex_;
    std::shared_ptr<OdbcHandle> environment_;
};

}  // namespace dbAx::provider
