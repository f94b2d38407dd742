// Owning handles for SQLite connections and statements, and the few calls
// around them that every user of the embedded database repeats.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include <sqlite3.h>

namespace dbAx::provider {

struct SqliteCloser {
    void operator()(sqlite3* database) const noexcept { sqlite3_close_v2(database); }
};
using SqliteDatabase = std::unique_ptr<sqlite3, SqliteCloser>;

struct SqliteFinalizer {
    void operator()(sqlite3_stmt* statement) const noexcept { sqlite3_finalize(statement); }
};
using SqliteStatement = std::unique_ptr<sqlite3_stmt, SqliteFinalizer>;

// Several processes release into the same files at once: a writer waits
// this long for another one before giving up.
constexpr int kBusyTimeoutMilliseconds = 10000;

// Opens (name in UTF-8) with the busy timeout set; false with SQLite's message.
bool OpenSqlite(const std::string& name, int flags, SqliteDatabase* database, std::string* error);
// Prepares the first statement of the text; false with SQLite's message.
// tail, when given, receives the text after that statement.
bool PrepareSqlite(sqlite3* database, std::string_view sql, SqliteStatement* statement, std::string* error,
                   std::string_view* tail = nullptr);
// Runs statements that return nothing of interest; false with SQLite's message.
bool ExecuteSqlite(sqlite3* database, const std::string& sql, std::string* error);
// "name" with inner quotes doubled: an identifier SQL reads literally.
std::string QuoteIdentifier(std::string_view name);

}  // namespace dbAx::provider
