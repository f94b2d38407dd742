// One connection to an ODBC data source. Selections are executed to learn
// their columns; rows are inserted through prepared statements kept per table
// and set of assigned columns, each committed on its own (autocommit).
//
// Column names are reported in upper case (ASCII letters): the component
// names columns as IBM i declares them ("INVN32"), while PostgreSQL folds
// unquoted names to lower case. The inserts use the names as the server
// declares them.
//
// Once a call reports that the connection is gone, every later call is
// refused with that reason without reaching the driver; a new connection is
// the way back.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "data_access/provider/backend.h"
#include "data_access/provider/odbc_handles.h"
#include "data_access/provider/odbc_insert.h"

namespace dbAx::provider {

class OdbcSession : public Session {
public:
    // connection: connected; the session disconnects it.
    OdbcSession(std::string dataSource, OdbcHandle connection);
    ~OdbcSession() override;
    OdbcSession(const OdbcSession&) = delete;
    OdbcSession& operator=(const OdbcSession&) = delete;

    // Each statement commits itself, whatever the data source's default.
    Result EnableAutocommit(ErrorMessages& errors);

    Result Describe(const std::string& selection, TableDescription* table, ErrorMessages& errors) override;
    Result Insert(const TableDescription& table, const std::vector<std::optional<std::string>>& values,
                  ErrorMessages& errors) override;
    Result CountRows(const std::string& selection, const std::vector<std::string>& parameters, std::int64_t* rows,
                     ErrorMessages& errors) override;

private:
    struct Table {
        std::string schema;
        std::string name;
        std::vector<std::string> declaredNames;  // as the server declares them, for the inserts
        std::vector<OdbcInsert::Parameter> types;
        std::vector<ColumnDescription> columns;  // names in upper case
        std::map<std::vector<bool>, OdbcInsert> inserts;  // by which columns are assigned
    };

    // Reads the failed call's diagnostics into errors and notes a lost connection.
    Result Failure(const OdbcCallFailure& failure, Result otherwise, ErrorMessages& errors);
    Result RefuseWhenLost(ErrorMessages& errors) const;
    bool ConnectionDead() const;
    std::size_t TableKey(Table described);
    OdbcInsert* InsertStatement(Table& table, ErrorMessages& errors, Result* failed);

    std::string dataSource_;
    OdbcHandle connection_;
    std::string lostBecause_;  // the first message that told; empty while connected
    std::vector<Table> tables_;
    // Reused from row to row.
    std::vector<bool> assigned_;
    std::vector<std::string_view> values_;
};

}  // namespace dbAx::provider
