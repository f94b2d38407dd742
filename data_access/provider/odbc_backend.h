// The ODBC backend, for real servers: the data source is an ODBC data source
// name (the IBM i Access ODBC driver on a site, PostgreSQL in our tests),
// opened with the user and password of the settings through the
// wide-character calls of the driver manager, waiting for the login at most
// the login timeout (odbc_timeouts.h). Every diagnostic record of a failed
// call becomes one error message in the server's own words.
#pragma once

#include <memory>

#include "data_access/provider/backend.h"
#include "data_access/provider/odbc_handles.h"

namespace dbAx::provider {

class OdbcBackend : public Backend {
public:
    Result Connect(std::string_view dataSource, const std::string& user, const std::string& password,
                   std::unique_ptr<Session>* session, ErrorMessages& errors) override;

private:
    Result StartEnvironment(ErrorMessages& errors);

    // Started by the first Connect; shared with each session, whose
    // connection may outlive the backend when a call to it was given up.
    std::shared_ptr<OdbcHandle> environment_;
};

}  // namespace dbAx::provider
