#include "bench/data_access/plain_inserts.h"

#include <stdexcept>
#include <string>

#include "data_access/provider/embedded_database.h"

namespace benchdata {
namespace {

void Check(int rc, sqlite3* db, const char* what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE) throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}

}  // namespace

PlainInserts::PlainInserts(const std::filesystem::path& databaseFile, bool perInvoice) : perInvoice_(perInvoice) {
    Check(sqlite3_open(databaseFile.string().c_str(), &db_), db_, "open");
    Check(sqlite3_exec(db_, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr), db_, "journal");
}

PlainInserts::~PlainInserts() {
    sqlite3_finalize(header_);
    sqlite3_finalize(line_);
    sqlite3_close(db_);
}

void PlainInserts::Write(const Invoice& invoice) {
    if (perInvoice_) Check(sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), db_, "begin");
    for (const Row& row : invoice.lines) Insert("AIP33", line_, row);
    Insert("AIP32", header_, invoice.header);
    if (perInvoice_) Check(sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr), db_, "commit");
}

void PlainInserts::Insert(const char* table, sqlite3_stmt*& statement, const Row& row) {
    if (!statement) {
        std::string columns, marks;
        for (const auto& [column, value] : row) {
            columns += (columns.empty() ? "" : ",") + column;
            marks += marks.empty() ? "?" : ",?";
        }
        const std::string sql = "INSERT INTO " + std::string(table) + " (" + columns + ") VALUES (" + marks + ")";
        Check(sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr), db_, "prepare");
    }
    int index = 1;
    for (const auto& [column, value] : row)
        sqlite3_bind_text(statement, index++, value.c_str(), static_cast<int>(value.size()), SQLITE_STATIC);
    Check(sqlite3_step(statement), db_, "insert");
    sqlite3_reset(statement);
}

std::filesystem::path FreshDatabase(const std::string& name) {
    const auto directory = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(directory);
    dbAx::provider::CreateEmbeddedInterfaceFiles(directory, "APLIB");
    return directory;
}

}  // namespace benchdata
