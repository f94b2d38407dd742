// A plain ODBC connection to the test server, beside the component's own:
// for preparing schemas, reading back what was written and playing the
// server's part in faults. Every failure throws, with the driver's
// diagnostics.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "data_access/provider/odbc_handles.h"
#include "tests/data_access/odbc/test_server.h"

namespace odbctest {

class AdminError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class AdminConnection {
public:
    explicit AdminConnection(const TestServer& server);
    ~AdminConnection();
    AdminConnection(const AdminConnection&) = delete;
    AdminConnection& operator=(const AdminConnection&) = delete;

    void Execute(const std::string& sql);
    // The rows as texts; character values without the blanks that pad them
    // to their column's length, NULL as "<null>".
    std::vector<std::vector<std::string>> Query(const std::string& sql);
    // Statements after this run in one transaction until Rollback.
    void BeginTransaction();
    void Rollback();

private:
    dbAx::provider::OdbcHandle environment_;
    dbAx::provider::OdbcHandle connection_;
};

}  // namespace odbctest
