// The ODBC backend, for real servers: the data source is an ODBC data source
// name (the IBM i Access ODBC driver on a site, PostgreSQL in our tests),
// opened with the user and password of the settings through the
// wide-character calls of the driver manager. Every diagnostic record of a
// failed call becomes one error message in the server's own words.
#pragma once

#include "data_access/provider/backend.h"
#include "data_access/provider/odbc_handles.h"

namespace dbAx::provider {

class OdbcBackend : public Backend {
public:
    Result Connect(std::string_view dataSource, const std::string& user, const std::string& password,
                   std::unique_ptr<Session>* session, ErrorMessages& errors) override;

private:
    Result StartEnvironment(ErrorMessages& errors);

    OdbcHandle environment_;  // started by the first Connect
};

}  // namespace dbAx::provider
