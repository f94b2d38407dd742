// The server that scripts/start-test-database started, as its environment
// variables describe it: PostgreSQL, or MariaDB where VELDMARK_TEST_SERVER
// says "mariadb" (each test program is registered once per server). Tests
// that need it must not pass without it: when the variables are missing they
// fail, saying how to start it, unless VELDMARK_SKIP_ODBC_TESTS=1 asks to
// skip them.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace odbctest {

enum class ServerKind { PostgreSql, MariaDb };

struct TestServer {
    ServerKind kind = ServerKind::PostgreSql;
    std::string dataSource;  // the ODBC data source name
    std::string user;
    std::string password;
    std::string schema;         // holds the interface files the script created
    std::string serverControl;  // pg_ctl for PostgreSQL, mariadb-ctl for MariaDB

    // "PostgreSQL" or "MariaDB", for messages.
    const char* Name() const;
};

class ServerTest : public ::testing::Test {
protected:
    // Fails or skips the test when there is no server. Derived fixtures
    // call it first and return when IsSkipped() or HasFatalFailure().
    void SetUp() override;

    bool OnPostgreSql() const { return server_.kind == ServerKind::PostgreSql; }
    // What differs between the servers: their own words, their own SQL.
    std::string ByServer(const std::string& postgresql, const std::string& mariadb) const {
        return OnPostgreSql() ? postgresql : mariadb;
    }

    TestServer server_;
};

}  // namespace odbctest
