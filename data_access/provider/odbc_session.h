// One connection to an ODBC data source. Selections are executed to learn
// their columns; rows are inserted through prepared statements kept per table
// and set of assigned columns, committed as the data source chooses
// (odbc_commit_mode.h): each on its own (autocommit), or a document's rows
// together at Commit.
//
// Column names are reported in upper case (ASCII letters): the component
// names columns as IBM i declares them ("INVN32"), while PostgreSQL folds
// unquoted names to lower case. The inserts use the names as the server
// declares them.
//
// Every call that waits for the server runs on the session's call thread and
// is given up when the server does not answer within the query timeout; the
// connection then counts as lost, and what the call touches stays alive until
// it returns.
//
// A value holding U+0000 is refused at the insert when the server is
// PostgreSQL, which stores none in a text and whose driver would cut it.
//
// Once a call reports that the connection is gone, every later call is
// refused with that reason without reaching the driver; a new connection is
// the way back.
#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data_access/provider/backend.h"
#include "data_access/provider/odbc_call_thread.h"
#include "data_access/provider/odbc_commit_mode.h"
#include "data_access/provider/odbc_handles.h"
#include "data_access/provider/odbc_insert.h"

namespace dbAx::provider {

class OdbcSession : public Session {
public:
    // connection: not yet connected, beneath environment; the session
    // disconnects it.
    OdbcSession(std::string dataSource, std::shared_ptr<OdbcHandle> environment, OdbcHandle connection,
                std::chrono::seconds queryTimeout);
    ~OdbcSession() override;
    OdbcSession(const OdbcSession&) = delete;
    OdbcSession& operator=(const OdbcSession&) = delete;

    // Logs in on the call thread, as every call that waits for the server
    // runs: a driver that does not keep its own login timeout against a
    // server that does not answer is given up at `limit`, and the session is
    // then lost. Called once, first.
    Result Login(const std::string& user, const std::string& password, std::chrono::seconds limit,
                 ErrorMessages& errors);

    // Sets autocommit as the commit mode wants it, whatever the data source's default.
    Result UseCommitMode(OdbcCommit commit, ErrorMessages& errors);

    Result Describe(const std::string& selection, TableDescription* table, ErrorMessages& errors) override;
    Result Insert(const TableDescription& table, const std::vector<std::optional<std::string>>& values,
                  ErrorMessages& errors) override;
    Result ReadRows(const std::string& selection, const std::vector<std::string>& parameters,
                    std::vector<TextRow>* rows, ErrorMessages& errors) override;
    Result Commit(ErrorMessages& errors) override;
    bool Rollback() override;
    // Neither known lost nor, says the driver, dead.
    bool Usable() override;
    bool UsableProvesAlive() const override { return false; }

private:
    struct Table {
        std::string schema;
        std::string name;
        std::vector<std::string> declaredNames;  // as the server declares them, for the inserts
        std::vector<OdbcInsert::Parameter> types;
        std::vector<ColumnDescription> columns;  // names in upper case
        std::map<std::vector<bool>, OdbcInsert> inserts;  // by which columns are assigned
    };

    // Everything a call to the driver touches, shared with the call in
    // flight: a call given up keeps it until it returns.
    struct Link {
        std::shared_ptr<OdbcHandle> environment;
        OdbcHandle connection;
        OdbcHandle selection;  // the statement of the latest Describe
        std::vector<Table> tables;
        // Statements go before their connection; a failed disconnect of a
        // lost connection changes nothing for anyone.
        ~Link();
    };

    // Runs a call that waits for the server; nullopt, with the connection
    // then lost, when the server did not answer in time. unknownOutcome
    // ends the message that says so.
    template <typename Call>
    auto Answer(Call call, const char* unknownOutcome, ErrorMessages& errors)
        -> std::optional<std::invoke_result_t<Call&, Link&>>;

    // Reads the failed call's diagnostics into errors and notes a lost connection.
    Result Failure(const OdbcCallFailure& failure, Result otherwise, ErrorMessages& errors);
    Result RefuseWhenLost(ErrorMessages& errors) const;
    std::string LostMessage() const;
    bool ConnectionDead() const;
    std::size_t TableKey(Table described);
    OdbcInsert* InsertStatement(Table& table, ErrorMessages& errors, Result* failed);

    std::string dataSource_;
    std::chrono::seconds queryTimeout_;
    bool textsHoldNul_ = true;  // false for a server that cannot store U+0000 in a text
    std::string quote_ = "\"";  // the driver's quote for names, empty where it quotes none
    OdbcCommit commit_ = OdbcCommit::Row;
    bool holding_ = false;  // rows inserted and not yet committed
    std::shared_ptr<Link> link_;
    std::string lostBecause_;  // the first message that told; empty while connected
    // Reused from row to row.
    std::vector<bool> assigned_;
    std::vector<std::string_view> values_;
    OdbcCallThread calls_;  // last, so it goes first: waits for its call, or leaves it link_
};

}  // namespace dbAx::provider
