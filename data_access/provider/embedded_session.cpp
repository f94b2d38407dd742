#include "data_access/provider/embedded_session.h"

#include <optional>

#include "data_access/provider/embedded_declared_type.h"
#include "data_access/provider/embedded_library_files.h"
#include "data_access/provider/value_conversion.h"
#include "data_access/provider/sql_qualifiers.h"
#include "data_access/provider/utf8_path.h"

namespace dbAx::provider {
namespace {

// Beyond 15 digits the database would keep a number only approximately.
constexpr int kMostExactDigits = 15;

Result Fail(ErrorMessages& errors, Result result, std::string message) {
    errors.push_back(std::move(message));
    return result;
}

std::string OrEmpty(const char* text) { return text ? text : ""; }

std::string ColumnText(sqlite3_stmt* statement, int column) {
    return OrEmpty(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)));
}

// A column as the table declares it.
struct DeclaredColumn {
    std::string type;
    bool nullable = false;
    bool generated = false;
};

bool OnlyStatementEnds(std::string_view tail) { return tail.find_first_not_of(" \t\r\n;") == std::string_view::npos; }

}  // namespace

// SQLite's own close leaves the log of a moved file at the path; a failed
// checkpoint (another process still reading the old file) leaves it too,
// and nothing more can be done here.
EmbeddedSession::~EmbeddedSession() {
    sqlite3* database = database_.get();
    if (!sqlite3_get_autocommit(database)) sqlite3_exec(database, "ROLLBACK", nullptr, nullptr, nullptr);
    for (const auto& [schema, library] : attached_) {
        if (Moved(schema)) sqlite3_exec(database, library.checkpoint.c_str(), nullptr, nullptr, nullptr);
    }
}

bool EmbeddedSession::Moved(const std::string& schema) const noexcept {
    // A file system whose SQLite cannot tell (Windows) can neither remove
    // nor replace a file that SQLite holds open.
    int moved = 0;
    const int answer = sqlite3_file_control(database_.get(), schema.c_str(), SQLITE_FCNTL_HAS_MOVED, &moved);
    return (answer != SQLITE_OK && answer != SQLITE_NOTFOUND) || moved;
}

Result EmbeddedSession::AttachLibraries(const std::string& selection, ErrorMessages& errors) {
    for (const std::string& qualifier : QualifierNames(selection)) {
        const std::string schema = UpperLibraryName(qualifier);
        if (schema == "MAIN" || schema == "TEMP" || attached_.contains(schema)) continue;
        std::optional<std::filesystem::path> file;
        std::string error;
        if (!LocateLibraryFile(directory_, qualifier, &file, &error)) return Fail(errors, kfx::HR_E_FAIL, error);
        // Without a file the name is no library; the statement says what it is.
        if (!file) continue;
        if (!AttachLibraryFile(database_.get(), *file, schema, &error)) return Fail(errors, kfx::HR_E_FAIL, error);
        attached_.emplace(schema, AttachedLibrary{*file, "PRAGMA " + QuoteIdentifier(schema) +
                                                             ".wal_checkpoint(TRUNCATE)"});
    }
    return kfx::HR_S_OK;
}

bool EmbeddedSession::Usable() {
    for (const auto& [schema, library] : attached_) {
        std::optional<std::filesystem::path> file;
        std::string ignored;
        if (!LocateLibraryFile(directory_, schema, &file, &ignored) || file != library.file || Moved(schema)) {
            return false;
        }
    }
    return true;
}

Result EmbeddedSession::PrepareSelection(const std::string& selection, SqliteStatement* statement,
                                         ErrorMessages& errors) {
    const Result attached = AttachLibraries(selection, errors);
    if (kfx::Failed(attached)) return attached;
    std::string error;
    std::string_view tail;
    if (!PrepareSqlite(database_.get(), selection, statement, &error, &tail)) {
        return Fail(errors, platform::DB_E_ERRORSINCOMMAND, error);
    }
    sqlite3_stmt* select = statement->get();
    if (!select || !sqlite3_stmt_readonly(select) || sqlite3_column_count(select) == 0 || !OnlyStatementEnds(tail)) {
        return Fail(errors, platform::DB_E_ERRORSINCOMMAND,
                    "'" + selection + "' is not one selection of the columns of a table (SELECT ... FROM ...)");
    }
    return kfx::HR_S_OK;
}

Result EmbeddedSession::Describe(const std::string& selection, TableDescription* table, ErrorMessages& errors) {
    SqliteStatement statement;
    const Result prepared = PrepareSelection(selection, &statement, errors);
    if (kfx::Failed(prepared)) return prepared;
    sqlite3_stmt* select = statement.get();

    std::string schema;
    std::string name;
    std::vector<std::string> names;
    for (int column = 0; column < sqlite3_column_count(select); ++column) {
        const char* origin = sqlite3_column_origin_name(select, column);
        if (!origin) {
            return Fail(errors, platform::DB_E_ERRORSINCOMMAND,
                        "Column " + std::to_string(column + 1) + " ('" + sqlite3_column_name(select, column) +
                            "') of the selection is not a column of a table");
        }
        const std::string columnSchema = OrEmpty(sqlite3_column_database_name(select, column));
        const std::string columnTable = OrEmpty(sqlite3_column_table_name(select, column));
        if (column > 0 && (columnSchema != schema || columnTable != name)) {
            return Fail(errors, platform::DB_E_ERRORSINCOMMAND,
                        "The selection reads more than one table (" + name + " and " + columnTable +
                            "); rows can be added to one table only");
        }
        schema = columnSchema;
        name = columnTable;
        names.emplace_back(origin);
    }

    const int step = sqlite3_step(select);
    if (step == SQLITE_ROW) {
        return Fail(errors, platform::DB_E_ERRORSINCOMMAND,
                    "The selection returns rows of " + name +
                        "; this provider opens selections only to add rows, so select none (as WHERE 1=0 does)");
    }
    if (step != SQLITE_DONE) return Fail(errors, kfx::HR_E_FAIL, sqlite3_errmsg(database_.get()));

    std::vector<ColumnDescription> columns;
    const Result described = DescribeColumns(schema, name, names, &columns, errors);
    if (kfx::Failed(described)) return described;
    table->name = name;
    table->columns = columns;
    table->sessionKey = TableKey(schema, name, std::move(columns));
    return kfx::HR_S_OK;
}

Result EmbeddedSession::ReadRows(const std::string& selection, const std::vector<std::string>& parameters,
                                 std::vector<TextRow>* rows, ErrorMessages& errors) {
    SqliteStatement statement;
    const Result prepared = PrepareSelection(selection, &statement, errors);
    if (kfx::Failed(prepared)) return prepared;
    sqlite3_stmt* select = statement.get();
    if (sqlite3_bind_parameter_count(select) != static_cast<int>(parameters.size())) {
        return Fail(errors, kfx::HR_E_INVALIDARG,
                    "'" + selection + "' has " + std::to_string(sqlite3_bind_parameter_count(select)) +
                        " parameters; " + std::to_string(parameters.size()) + " were given");
    }
    for (std::size_t index = 0; index < parameters.size(); ++index) {
        sqlite3_bind_text(select, static_cast<int>(index + 1), parameters[index].data(),
                          static_cast<int>(parameters[index].size()), SQLITE_STATIC);
    }
    std::vector<TextRow> read;
    const int columns = sqlite3_column_count(select);
    int step;
    while ((step = sqlite3_step(select)) == SQLITE_ROW) {
        TextRow& row = read.emplace_back();
        for (int column = 0; column < columns; ++column) {
            if (sqlite3_column_type(select, column) == SQLITE_NULL) {
                row.emplace_back();
            } else {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(select, column));
                row.emplace_back(std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(select, column))));
            }
        }
    }
    if (step != SQLITE_DONE) return Fail(errors, kfx::HR_E_FAIL, sqlite3_errmsg(database_.get()));
    *rows = std::move(read);
    return kfx::HR_S_OK;
}

Result EmbeddedSession::DescribeColumns(const std::string& schema, const std::string& table,
                                        const std::vector<std::string>& names, std::vector<ColumnDescription>* columns,
                                        ErrorMessages& errors) {
    SqliteStatement info;
    std::string error;
    if (!PrepareSqlite(database_.get(), "SELECT name, type, \"notnull\", hidden FROM pragma_table_xinfo(?1, ?2)",
                       &info, &error)) {
        return Fail(errors, kfx::HR_E_FAIL, error);
    }
    sqlite3_bind_text(info.get(), 1, table.data(), static_cast<int>(table.size()), SQLITE_STATIC);
    sqlite3_bind_text(info.get(), 2, schema.data(), static_cast<int>(schema.size()), SQLITE_STATIC);
    std::map<std::string, DeclaredColumn> declared;
    int step;
    while ((step = sqlite3_step(info.get())) == SQLITE_ROW) {
        // Hidden 2 and 3 are generated columns, which the database computes.
        declared[ColumnText(info.get(), 0)] = {ColumnText(info.get(), 1), sqlite3_column_int(info.get(), 2) == 0,
                                               sqlite3_column_int(info.get(), 3) >= 2};
    }
    if (step != SQLITE_DONE) return Fail(errors, kfx::HR_E_FAIL, sqlite3_errmsg(database_.get()));

    for (const std::string& name : names) {
        const DeclaredColumn& declaration = declared[name];
        const std::optional<DeclaredType> type = ParseDeclaredType(declaration.type);
        if (!type) {
            return Fail(errors, platform::DB_E_ERRORSINCOMMAND,
                        "Column " + table + "." + name + " has the type '" + declaration.type +
                            "', which this provider does not handle (CHAR(n), NCHAR(n), DECIMAL(p,s) or "
                            "NUMERIC(p,s))");
        }
        ColumnDescription column;
        column.name = name;
        column.nullable = declaration.nullable;
        column.updatable = !declaration.generated;
        column.kind = type->kind;
        column.length = type->length;
        column.scale = type->scale;
        const bool numeric = column.kind == ColumnKind::Decimal || column.kind == ColumnKind::Numeric;
        if (numeric && column.length > kMostExactDigits) {
            return Fail(errors, platform::DB_E_ERRORSINCOMMAND,
                        "Column " + table + "." + name + " is " + TypeText(column) +
                            "; the embedded database keeps numbers of at most " + std::to_string(kMostExactDigits) +
                            " digits exactly");
        }
        columns->push_back(std::move(column));
    }
    return kfx::HR_S_OK;
}

std::size_t EmbeddedSession::TableKey(const std::string& schema, const std::string& name,
                                      std::vector<ColumnDescription> columns) {
    const auto sameColumns = [&](const Table& table) {
        if (table.schema != schema || table.name != name || table.columns.size() != columns.size()) return false;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (table.columns[i].name != columns[i].name) return false;
        }
        return true;
    };
    for (std::size_t key = 0; key < tables_.size(); ++key) {
        if (sameColumns(tables_[key])) {
            tables_[key].columns = std::move(columns);  // the latest declaration counts
            return key;
        }
    }
    tables_.push_back({schema, name, std::move(columns), {}});
    return tables_.size() - 1;
}

sqlite3_stmt* EmbeddedSession::InsertStatement(Table& table, const std::vector<bool>& assigned, ErrorMessages& errors) {
    SqliteStatement& cached = table.inserts[assigned];
    if (cached) return cached.get();
    std::string sql = "INSERT INTO " + QuoteIdentifier(table.schema) + "." + QuoteIdentifier(table.name);
    std::string names;
    std::string parameters;
    for (std::size_t column = 0; column < assigned.size(); ++column) {
        if (!assigned[column]) continue;
        names += (names.empty() ? "" : ", ") + QuoteIdentifier(table.columns[column].name);
        parameters += parameters.empty() ? "?" : ", ?";
    }
    sql += names.empty() ? " DEFAULT VALUES" : " (" + names + ") VALUES (" + parameters + ")";
    std::string error;
    if (!PrepareSqlite(database_.get(), sql, &cached, &error)) {
        table.inserts.erase(assigned);
        errors.push_back(error);
        return nullptr;
    }
    return cached.get();
}

Result EmbeddedSession::Insert(const TableDescription& description,
                               const std::vector<std::optional<std::string>>& values, ErrorMessages& errors) {
    if (description.sessionKey >= tables_.size() || values.size() != description.columns.size()) {
        return Fail(errors, kfx::HR_E_INVALIDARG, "The row does not fit a table described on this connection");
    }
    Table& table = tables_[description.sessionKey];
    stored_.resize(values.size());
    assigned_.assign(values.size(), false);
    Result refused = kfx::HR_S_OK;
    for (std::size_t column = 0; column < values.size(); ++column) {
        if (!values[column]) continue;
        assigned_[column] = true;
        std::optional<Refusal> refusal =
            ConvertValue(table.name, table.columns[column], *values[column], &stored_[column]);
        if (!refusal) continue;
        // One refusal gives its own result; several give the general one.
        refused = kfx::Succeeded(refused) ? refusal->result : platform::DB_E_ERRORSOCCURRED;
        errors.push_back(std::move(refusal->message));
    }
    if (kfx::Failed(refused)) return refused;

    sqlite3_stmt* insert = InsertStatement(table, assigned_, errors);
    if (!insert) return platform::DB_E_ERRORSINCOMMAND;
    // Immediate: the library's write lock is taken, or waited for, before
    // the document's first row rather than at a later one.
    std::string error;
    if (sqlite3_get_autocommit(database_.get())) {
        if (!ExecuteSqlite(database_.get(), "BEGIN IMMEDIATE", &error)) {
            errors.push_back(error);
            return kfx::HR_E_FAIL;
        }
        writing_.clear();
    }
    writing_.insert(table.schema);
    int parameter = 0;
    for (std::size_t column = 0; column < values.size(); ++column) {
        if (!assigned_[column]) continue;
        sqlite3_bind_text(insert, ++parameter, stored_[column].data(), static_cast<int>(stored_[column].size()),
                          SQLITE_STATIC);
    }
    const int step = sqlite3_step(insert);
    if (step != SQLITE_DONE) error = sqlite3_errmsg(database_.get());
    sqlite3_reset(insert);
    if (step == SQLITE_DONE) return kfx::HR_S_OK;
    // The table may have changed beneath its statements: they are made anew.
    table.inserts.clear();
    errors.push_back(error);
    return (step & 0xFF) == SQLITE_CONSTRAINT ? platform::DB_E_INTEGRITYVIOLATION : kfx::HR_E_FAIL;
}

Result EmbeddedSession::Commit(ErrorMessages& errors) {
    if (sqlite3_get_autocommit(database_.get())) return kfx::HR_S_OK;
    for (const std::string& schema : writing_) {
        if (!Moved(schema)) continue;
        Rollback();
        return Fail(errors, kfx::HR_E_FAIL,
                    "The library file '" + Utf8FromPath(attached_.at(schema).file) +
                        "' was replaced or removed while the document was written: nothing of the document was "
                        "written");
    }
    std::string error;
    if (ExecuteSqlite(database_.get(), "COMMIT", &error)) return kfx::HR_S_OK;
    errors.push_back(error);
    return kfx::HR_E_FAIL;
}

bool EmbeddedSession::Rollback() {
    if (sqlite3_get_autocommit(database_.get())) return true;
    std::string ignored;
    ExecuteSqlite(database_.get(), "ROLLBACK", &ignored);
    // SQLite may have rolled back already, on its own, after an error.
    return sqlite3_get_autocommit(database_.get()) != 0;
}

}  // namespace dbAx::provider
