#include "tests/data_access/odbc/test_schema.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>

#include "model/interface_files.h"

namespace odbctest {
namespace {

std::string NewLibraryName() {
    static std::atomic<int> counter{0};
    return "VT" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
}

}  // namespace

TestSchema::TestSchema(const TestServer& server) : server_(server), library_(NewLibraryName()) {
    AdminConnection admin(server_);
    // MariaDB's schema is a database.
    admin.Execute((server_.kind == ServerKind::MariaDb ? "CREATE DATABASE " : "CREATE SCHEMA ") + library_);
    admin.Execute(veldmark::CreateTableSql(veldmark::HeaderFile(), library_));
    admin.Execute(veldmark::CreateTableSql(veldmark::LineFile(), library_));
}

TestSchema::~TestSchema() {
    // A fresh connection: the test may have taken the server away meanwhile.
    try {
        AdminConnection(server_).Execute(server_.kind == ServerKind::MariaDb ? "DROP DATABASE " + library_
                                                                             : "DROP SCHEMA " + library_ + " CASCADE");
    } catch (const AdminError& error) {
        ADD_FAILURE() << "the test schema " << library_ << " cannot be dropped: " << error.what();
    }
}

std::string TestSchema::Qualified(const std::string& sql) const {
    std::string qualified = sql;
    for (auto at = qualified.find("%s"); at != std::string::npos; at = qualified.find("%s", at + library_.size())) {
        qualified.replace(at, 2, library_);
    }
    return qualified;
}

void TestSchema::Execute(const std::string& sqlWithSchema) const { AdminConnection(server_).Execute(Qualified(sqlWithSchema)); }

std::vector<std::vector<std::string>> TestSchema::Rows(const std::string& file,
                                                       const std::vector<std::string>& columns) const {
    const bool maria = server_.kind == ServerKind::MariaDb;
    std::string list;
    for (const std::string& column : columns) {
        list += (list.empty() ? "" : ", ") + (maria ? "CAST(" + column + " AS CHAR)" : column + "::text");
    }
    // Rows only ever go in, so their physical order is the order of
    // insertion: PostgreSQL's ctid, and on MariaDB the hidden row number by
    // which InnoDB keeps a table without a primary key.
    return AdminConnection(server_).Query("SELECT " + list + " FROM " + library_ + "." + file +
                                          (maria ? "" : " ORDER BY ctid"));
}

std::size_t TestSchema::RowCount(const std::string& file) const {
    return std::stoul(AdminConnection(server_).Query("SELECT count(*) FROM " + library_ + "." + file).at(0).at(0));
}

}  // namespace odbctest
