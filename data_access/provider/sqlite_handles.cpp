#include "data_access/provider/sqlite_handles.h"

namespace dbAx::provider {

bool OpenSqlite(const std::string& name, int flags, SqliteDatabase* database, std::string* error) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(name.c_str(), &raw, flags, nullptr);
    SqliteDatabase opened(raw);
    if (rc != SQLITE_OK) {
        *error = raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc);
        return false;
    }
    sqlite3_busy_timeout(raw, kBusyTimeoutMilliseconds);
    *database = std::move(opened);
    return true;
}

bool PrepareSqlite(sqlite3* database, std::string_view sql, SqliteStatement* statement, std::string* error,
                   std::string_view* tail) {
    sqlite3_stmt* raw = nullptr;
    const char* rest = nullptr;
    const int rc = sqlite3_prepare_v2(database, sql.data(), static_cast<int>(sql.size()), &raw, &rest);
    statement->reset(raw);
    if (rc != SQLITE_OK) {
        *error = sqlite3_errmsg(database);
        return false;
    }
    if (tail) *tail = sql.substr(static_cast<std::size_t>(rest - sql.data()));
    return true;
}

bool ExecuteSqlite(sqlite3* database, const std::string& sql, std::string* error) {
    if (sqlite3_exec(database, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK) return true;
    *error = sqlite3_errmsg(database);
    return false;
}

std::string QuoteIdentifier(std::string_view name) {
    std::string quoted = "\"";
    for (char c : name) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace dbAx::provider
