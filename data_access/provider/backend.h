// The narrow interface each database offers the generic provider objects:
// connect, describe the columns of a selection, insert one row, read the
// rows a reading selection returns. The access
// object semantics (edit modes, pending rows, fields, error collections)
// live once in the generic connection and recordset above it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data_access/platform/database.h"
#include "data_access/provider/column_description.h"

namespace dbAx::provider {

using platform::Result;
using platform::Text;

// The database's own messages for one failed call, in UTF-8; the generic
// objects turn each into an error record carrying the call's result.
using ErrorMessages = std::vector<std::string>;

// One row a selection returned: each column's value as text, in UTF-8
// (numbers as the database prints them), nullopt for NULL.
using TextRow = std::vector<std::optional<std::string>>;

struct TableDescription {
    std::string name;  // the table as declared, without its library, for messages
    std::vector<ColumnDescription> columns;
    std::size_t sessionKey = 0;  // the describing session's handle for this table and column list
};

// One open connection to a database.
class Session {
public:
    virtual ~Session() = default;
    // Runs the selection and describes its columns. Fails unless the
    // selection reads columns of one table only and returns no rows.
    virtual Result Describe(const std::string& selection, TableDescription* table, ErrorMessages& errors) = 0;
    // Inserts one row. values[i] belongs to table.columns[i]; nullopt leaves
    // the column to its default. table must come from this session's
    // Describe. Where the session holds a document's rows together, the row
    // waits for Commit; elsewhere it is committed on its own.
    virtual Result Insert(const TableDescription& table, const std::vector<std::optional<std::string>>& values,
                          ErrorMessages& errors) = 0;
    // Commits the rows held since the last Commit; none held, nothing to do.
    virtual Result Commit(ErrorMessages& errors) = 0;
    // Drops the rows held. False when they may not have been dropped: the
    // session must then serve no one again.
    virtual bool Rollback() = 0;
    // Runs a selection that only reads, its '?' markers bound in order to
    // the texts given, and answers the rows it returns. Nothing is changed.
    virtual Result ReadRows(const std::string& selection, const std::vector<std::string>& parameters,
                            std::vector<TextRow>* rows, ErrorMessages& errors) = 0;
    // Whether the session can serve another connection: not known to be
    // lost, no call on it given up, its database still where it was. Cheap:
    // it asks the server nothing.
    virtual bool Usable() = 0;
    // Whether Usable answering true proves that the next call will be
    // answered: true where only what Usable looks at can end the session
    // (an embedded database's files), false where a server or the link to
    // it can end the session unseen.
    virtual bool UsableProvesAlive() const = 0;
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual Result Connect(std::string_view dataSource, const std::string& user, const std::string& password,
                           std::unique_ptr<Session>* session, ErrorMessages& errors) = 0;
};

}  // namespace dbAx::provider
