#include "data_access/provider/embedded_database.h"

#include <cstdio>
#include <optional>
#include <system_error>

#include "data_access/provider/embedded_declared_type.h"
#include "data_access/provider/embedded_library_files.h"
#include "data_access/provider/sqlite_handles.h"
#include "data_access/provider/utf8_path.h"
#include "model/interface_files.h"

namespace dbAx::provider {
namespace {

std::optional<std::filesystem::path> LibraryFile(const std::filesystem::path& directory, std::string_view library) {
    std::optional<std::filesystem::path> file;
    std::string error;
    if (!LocateLibraryFile(directory, library, &file, &error)) throw EmbeddedDatabaseError(error);
    return file;
}

void RemoveLibraryFile(const std::filesystem::path& file) {
    std::error_code ignored;
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        std::filesystem::remove(std::filesystem::path(file) += suffix, ignored);
    }
}

void CreateTables(const std::filesystem::path& file, const std::string& schema,
                  const std::vector<std::string>& createStatements) {
    SqliteDatabase database;
    std::string error;
    if (!OpenSqlite(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, &database, &error) ||
        !AttachLibraryFile(database.get(), file, schema, &error) ||
        !ExecuteSqlite(database.get(), "BEGIN IMMEDIATE TRANSACTION", &error)) {
        throw EmbeddedDatabaseError("The library file '" + Utf8FromPath(file) + "' cannot be created: " + error);
    }
    for (const std::string& statement : createStatements) {
        if (!ExecuteSqlite(database.get(), statement, &error)) {
            throw EmbeddedDatabaseError("Creating a table in '" + Utf8FromPath(file) + "' failed: " + error);
        }
    }
    if (!ExecuteSqlite(database.get(), "COMMIT", &error)) {
        throw EmbeddedDatabaseError("Creating the tables in '" + Utf8FromPath(file) + "' failed: " + error);
    }
}

std::string ValueText(sqlite3_stmt* statement, int column, const std::optional<DeclaredType>& type) {
    const int storage = sqlite3_column_type(statement, column);
    const bool number = storage == SQLITE_INTEGER || storage == SQLITE_FLOAT;
    if (number && type && (type->kind == ColumnKind::Decimal || type->kind == ColumnKind::Numeric)) {
        // At most 15 digits: the stored double prints back exactly.
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.*f", type->scale, sqlite3_column_double(statement, column));
        return buffer;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement, column))) : "";
}

}  // namespace

void CreateEmbeddedLibrary(const std::filesystem::path& directory, std::string_view library,
                           const std::vector<std::string>& createStatements) {
    if (!IsValidLibraryName(library)) {
        throw EmbeddedDatabaseError("'" + std::string(library) +
                                    "' is not a valid library name (1 to 10 letters, digits or underscores, not "
                                    "starting with a digit)");
    }
    std::error_code failure;
    std::filesystem::create_directories(directory, failure);
    if (failure) {
        throw EmbeddedDatabaseError("The database directory '" + Utf8FromPath(directory) +
                                    "' cannot be created: " + failure.message());
    }
    if (const auto existing = LibraryFile(directory, library)) {
        throw EmbeddedDatabaseError("Library '" + std::string(library) + "' exists already ('" +
                                    Utf8FromPath(*existing) + "')");
    }
    const std::string schema = UpperLibraryName(library);
    const std::filesystem::path file = directory / PathFromUtf8(schema + ".db");
    try {
        CreateTables(file, schema, createStatements);
    } catch (const EmbeddedDatabaseError&) {
        RemoveLibraryFile(file);  // all or nothing: no half-made library stays behind
        throw;
    }
}

namespace {

// The look-up of earlier releases finds a document's rows by their keys,
// compared without trailing blanks: indexed as it compares them.
std::string CreateKeyIndexSql(const veldmark::InterfaceFile& file, std::string_view library) {
    std::string sql = "CREATE INDEX " + std::string(library) + "." + file.name + "_KEYS ON " + file.name + " (";
    const char* separator = "";
    for (const std::string& column : file.keyColumns) {
        sql += separator + ("RTRIM(" + column + ")");
        separator = ", ";
    }
    return sql + ")";
}

}  // namespace

void CreateEmbeddedInterfaceFiles(const std::filesystem::path& directory, std::string_view library) {
    std::vector<std::string> statements;
    for (const veldmark::InterfaceFile* file : {&veldmark::HeaderFile(), &veldmark::LineFile()}) {
        statements.push_back(veldmark::CreateTableSql(*file, library));
        statements.push_back(CreateKeyIndexSql(*file, library));
    }
    CreateEmbeddedLibrary(directory, library, statements);
}

EmbeddedRows ReadEmbeddedRows(const std::filesystem::path& directory, std::string_view library,
                              std::string_view table) {
    const std::optional<std::filesystem::path> file = LibraryFile(directory, library);
    if (!file) {
        throw EmbeddedDatabaseError("Library '" + std::string(library) + "' does not exist in '" +
                                    Utf8FromPath(directory) + "'");
    }
    SqliteDatabase database;
    SqliteStatement select;
    std::string error;
    // Opened for writing only so that, closing as the last connection, it
    // checkpoints and removes the write-ahead log, which a read-only
    // connection leaves behind; query_only keeps it a reader.
    if (!OpenSqlite(Utf8FromPath(*file), SQLITE_OPEN_READWRITE, &database, &error) ||
        sqlite3_exec(database.get(), "PRAGMA query_only = ON", nullptr, nullptr, nullptr) != SQLITE_OK ||
        !PrepareSqlite(database.get(), "SELECT * FROM " + QuoteIdentifier(table) + " ORDER BY rowid", &select,
                       &error)) {
        if (error.empty()) error = sqlite3_errmsg(database.get());
        throw EmbeddedDatabaseError("Reading " + std::string(library) + "." + std::string(table) + " failed: " + error);
    }
    EmbeddedRows rows;
    std::vector<std::optional<DeclaredType>> types;
    for (int column = 0; column < sqlite3_column_count(select.get()); ++column) {
        rows.columns.emplace_back(sqlite3_column_name(select.get(), column));
        const char* declared = sqlite3_column_decltype(select.get(), column);
        types.push_back(declared ? ParseDeclaredType(declared) : std::nullopt);
    }
    int step;
    while ((step = sqlite3_step(select.get())) == SQLITE_ROW) {
        std::vector<std::string>& row = rows.rows.emplace_back();
        for (int column = 0; column < static_cast<int>(types.size()); ++column) {
            row.push_back(ValueText(select.get(), column, types[static_cast<std::size_t>(column)]));
        }
    }
    if (step != SQLITE_DONE) {
        throw EmbeddedDatabaseError("Reading " + std::string(library) + "." + std::string(table) +
                                    " failed: " + sqlite3_errmsg(database.get()));
    }
    return rows;
}

}  // namespace dbAx::provider
