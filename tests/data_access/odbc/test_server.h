// The PostgreSQL server that scripts/start-test-database started, as its
// environment variables describe it. Tests that need it must not pass
// without it: when the variables are missing they fail, saying how to start
// it, unless VELDMARK_SKIP_ODBC_TESTS=1 asks to skip them.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace odbctest {

struct TestServer {
    std::string dataSource;  // the ODBC data source name
    std::string user;
    std::string password;
    std::string schema;         // holds the interface files the script created
    std::string serverControl;  // pg_ctl for the server, run with "stop" or "start"
};

class ServerTest : public ::testing::Test {
protected:
    // Fails or skips the test when there is no server. Derived fixtures
    // call it first and return when IsSkipped() or HasFatalFailure().
    void SetUp() override;

    TestServer server_;
};

}  // namespace odbctest
