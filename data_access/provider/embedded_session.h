// One connection to the embedded database: a main database in memory with
// the directory's libraries attached as statements name them, and the
// prepared inserts of each described table kept for reuse. A document's rows
// are held in one transaction, begun by its first row and ended by Commit or
// Rollback; a process that ends in between leaves none of them. The libraries
// stay attached while the session lives, pooled or not; SQLite checkpoints
// their write-ahead logs by its own measure, and the last connection to a
// library to close checkpoints it and removes the log.
//
// A library file removed or replaced (restored from a backup) while it is
// attached keeps its log at the path, where the next connection would
// recover it into whatever file is there now: the session refuses to commit
// rows into such a file and, when it closes, puts the log into the file it
// belongs to and empties it.
#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "data_access/provider/backend.h"
#include "data_access/provider/sqlite_handles.h"

namespace dbAx::provider {

class EmbeddedSession : public Session {
public:
    EmbeddedSession(std::filesystem::path directory, SqliteDatabase database)
        : directory_(std::move(directory)), database_(std::move(database)) {}
    ~EmbeddedSession() override;
    EmbeddedSession(const EmbeddedSession&) = delete;
    EmbeddedSession& operator=(const EmbeddedSession&) = delete;

    Result Describe(const std::string& selection, TableDescription* table, ErrorMessages& errors) override;
    // Converts every assigned value first (see value_conversion.h);
    // any refusal leaves the table untouched, with one message per refused value.
    Result Insert(const TableDescription& table, const std::vector<std::optional<std::string>>& values,
                  ErrorMessages& errors) override;
    Result ReadRows(const std::string& selection, const std::vector<std::string>& parameters,
                    std::vector<TextRow>* rows, ErrorMessages& errors) override;
    // Refuses, rolling back, when a library written to has been removed or
    // replaced since the document's first row.
    Result Commit(ErrorMessages& errors) override;
    bool Rollback() override;
    // While every attached library is still the one file of its name in the
    // directory, neither removed nor replaced since it was attached.
    bool Usable() override;
    bool UsableProvesAlive() const override { return true; }

private:
    struct Table {
        std::string schema;
        std::string name;
        std::vector<ColumnDescription> columns;
        std::map<std::vector<bool>, SqliteStatement> inserts;  // by which columns are assigned
    };

    struct AttachedLibrary {
        std::filesystem::path file;
        std::string checkpoint;  // the statement that empties its log, made beforehand for the destructor
    };

    // Whether the attached library's file is no longer at its path (removed or replaced).
    bool Moved(const std::string& schema) const noexcept;
    Result AttachLibraries(const std::string& selection, ErrorMessages& errors);
    // Attaches the libraries it names and prepares it; refuses anything but one reading selection.
    Result PrepareSelection(const std::string& selection, SqliteStatement* statement, ErrorMessages& errors);
    Result DescribeColumns(const std::string& schema, const std::string& table, const std::vector<std::string>& names,
                           std::vector<ColumnDescription>* columns, ErrorMessages& errors);
    std::size_t TableKey(const std::string& schema, const std::string& name, std::vector<ColumnDescription> columns);
    sqlite3_stmt* InsertStatement(Table& table, const std::vector<bool>& assigned, ErrorMessages& errors);

    std::filesystem::path directory_;
    SqliteDatabase database_;  // before the tables: their statements go first
    std::map<std::string, AttachedLibrary> attached_;  // by schema
    std::set<std::string> writing_;  // the schemas written to in the open transaction
    std::vector<Table> tables_;
    // Reused from row to row.
    std::vector<std::string> stored_;
    std::vector<bool> assigned_;
};

}  // namespace dbAx::provider
