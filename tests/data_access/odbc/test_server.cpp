#include "tests/data_access/odbc/test_server.h"

#include <cstdlib>

namespace odbctest {
namespace {

void Read(const char* name, std::string* value, std::string* missing) {
    const char* text = std::getenv(name);
    if (text && *text) {
        *value = text;
    } else {
        *missing += (missing->empty() ? "" : ", ") + std::string(name);
    }
}

}  // namespace

const char* TestServer::Name() const { return kind == ServerKind::PostgreSql ? "PostgreSQL" : "MariaDB"; }

void ServerTest::SetUp() {
    const char* chosen = std::getenv("VELDMARK_TEST_SERVER");
    const std::string serverName = chosen ? chosen : "";
    if (serverName.empty() || serverName == "postgresql") {
        server_.kind = ServerKind::PostgreSql;
    } else if (serverName == "mariadb") {
        server_.kind = ServerKind::MariaDb;
    } else {
        FAIL() << "VELDMARK_TEST_SERVER is '" << serverName
               << "'; it must be postgresql or mariadb (or unset: postgresql)";
    }
    const bool maria = server_.kind == ServerKind::MariaDb;
    std::string missing;
    std::string odbcIni;  // read by the driver manager; only its presence is checked here
    Read("ODBCINI", &odbcIni, &missing);
    Read(maria ? "VELDMARK_TEST_MARIADB_DSN" : "VELDMARK_TEST_ODBC_DSN", &server_.dataSource, &missing);
    Read("VELDMARK_TEST_ODBC_USER", &server_.user, &missing);
    Read("VELDMARK_TEST_ODBC_PASSWORD", &server_.password, &missing);
    Read("VELDMARK_TEST_ODBC_SCHEMA", &server_.schema, &missing);
    Read(maria ? "VELDMARK_TEST_MARIADB_CTL" : "VELDMARK_TEST_PG_CTL", &server_.serverControl, &missing);
    if (missing.empty()) return;
    const char* skip = std::getenv("VELDMARK_SKIP_ODBC_TESTS");
    if (skip && std::string(skip) == "1") {
        GTEST_SKIP() << "VELDMARK_SKIP_ODBC_TESTS=1: the tests against a real server are skipped";
    }
    FAIL() << "No " << server_.Name() << " test server: " << missing
           << " not set. Start it with scripts/start-test-database and export what it prints "
              "(./run-tests does both), or set VELDMARK_SKIP_ODBC_TESTS=1 to skip these tests.";
}

}  // namespace odbctest
