// A schema of the test server for one test, holding the interface files as
// the field catalogue declares them, created through a plain connection with
// the same statements that scripts/start-test-database runs; dropped at the
// end. Tests never share tables.
#pragma once

#include <string>
#include <vector>

#include "tests/data_access/odbc/admin_connection.h"
#include "tests/data_access/odbc/test_server.h"

namespace odbctest {

class TestSchema {
public:
    explicit TestSchema(const TestServer& server);
    ~TestSchema();
    TestSchema(const TestSchema&) = delete;
    TestSchema& operator=(const TestSchema&) = delete;

    // The library as the component names it, in upper case ("VT4711_3");
    // PostgreSQL folds it to the schema's lower-case name.
    const std::string& Library() const { return library_; }

    // The rows of a file in the order they were inserted, as texts of the
    // given columns: numbers with their column's scale ("10.000"),
    // characters without their padding (so a blank default reads "").
    std::vector<std::vector<std::string>> Rows(const std::string& file, const std::vector<std::string>& columns) const;
    std::size_t RowCount(const std::string& file) const;
    // Runs a statement; "%s" in it stands for the schema.
    void Execute(const std::string& sqlWithSchema) const;

private:
    std::string Qualified(const std::string& sql) const;

    TestServer server_;
    std::string library_;
};

}  // namespace odbctest
