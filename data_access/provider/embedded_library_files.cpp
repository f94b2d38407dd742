#include "data_access/provider/embedded_library_files.h"

#include <system_error>

#include "data_access/provider/ascii_case.h"
#include "data_access/provider/sqlite_handles.h"
#include "data_access/provider/utf8_path.h"

namespace dbAx::provider {
namespace {

constexpr std::size_t kLongestLibraryName = 10;

bool IsLetterOrUnderscore(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool IsValidLibraryName(std::string_view library) {
    if (library.empty() || library.size() > kLongestLibraryName || !IsLetterOrUnderscore(library.front())) {
        return false;
    }
    for (char c : library) {
        if (!IsLetterOrUnderscore(c) && !IsDigit(c)) return false;
    }
    return true;
}

std::string UpperLibraryName(std::string_view library) { return AsciiUpper(library); }

bool LocateLibraryFile(const std::filesystem::path& directory, std::string_view library,
                       std::optional<std::filesystem::path>* file, std::string* error) {
    const std::string wanted = UpperLibraryName(library) + ".db";
    file->reset();
    std::error_code failure;
    std::filesystem::directory_iterator entry(directory, failure);
    for (; !failure && entry != std::filesystem::directory_iterator(); entry.increment(failure)) {
        if (!EqualIgnoringAsciiCase(Utf8FromPath(entry->path().filename()), wanted)) continue;
        if (*file) {
            *error = "Library '" + std::string(library) + "' is ambiguous: both '" + Utf8FromPath(**file) +
                     "' and '" + Utf8FromPath(entry->path()) + "' name it";
            return false;
        }
        *file = entry->path();
    }
    if (failure) {
        *error = "The database directory '" + Utf8FromPath(directory) + "' cannot be read: " + failure.message();
        return false;
    }
    return true;
}

namespace {

bool SwitchToWal(sqlite3* database, const std::string& schema, const std::string& name, std::string* error) {
    SqliteStatement journal;
    if (!PrepareSqlite(database, "PRAGMA " + QuoteIdentifier(schema) + ".journal_mode=WAL", &journal, error)) {
        return false;
    }
    if (sqlite3_step(journal.get()) != SQLITE_ROW) {
        *error = sqlite3_errmsg(database);
        return false;
    }
    const std::string mode = reinterpret_cast<const char*>(sqlite3_column_text(journal.get(), 0));
    if (mode != "wal") {
        *error = "The library file '" + name + "' cannot use WAL journal mode (it stays in '" + mode + "' mode)";
        return false;
    }
    return true;
}

}  // namespace

bool AttachLibraryFile(sqlite3* database, const std::filesystem::path& file, const std::string& schema,
                       std::string* error) {
    SqliteStatement attach;
    if (!PrepareSqlite(database, "ATTACH DATABASE ?1 AS " + QuoteIdentifier(schema), &attach, error)) return false;
    const std::string name = Utf8FromPath(file);
    sqlite3_bind_text(attach.get(), 1, name.data(), static_cast<int>(name.size()), SQLITE_STATIC);
    if (sqlite3_step(attach.get()) != SQLITE_DONE) {
        *error = sqlite3_errmsg(database);
        return false;
    }
    if (SwitchToWal(database, schema, name, error)) return true;
    // Leave nothing half attached, so a later attempt starts afresh.
    std::string ignored;
    ExecuteSqlite(database, "DETACH DATABASE " + QuoteIdentifier(schema), &ignored);
    return false;
}

}  // namespace dbAx::provider
