#include "tests/data_access/odbc/admin_connection.h"

#include "odbc_api.h"

#include "data_access/provider/odbc_diagnostics.h"
#include "data_access/provider/odbc_text.h"

namespace odbctest {
namespace {

using dbAx::provider::AllocateOdbcHandle;
using dbAx::provider::OdbcHandle;
using dbAx::provider::OdbcText;
using dbAx::provider::ToOdbcText;

void Check(SQLRETURN rc, const OdbcHandle& handle, const std::string& what) {
    if (SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA) return;
    std::string message = what + " failed";
    for (const auto& diagnostic : dbAx::provider::ReadDiagnostics(handle.type(), handle.get())) {
        message += '\n';
        message += dbAx::provider::DiagnosticText(diagnostic);
    }
    throw AdminError(message);
}

OdbcHandle Allocate(SQLSMALLINT type, const OdbcHandle& parent) {
    OdbcHandle handle = AllocateOdbcHandle(type, parent.get());
    if (!handle) Check(SQL_ERROR, parent, "SQLAllocHandle");
    return handle;
}

std::string Column(SQLHSTMT statement, SQLUSMALLINT column, const OdbcHandle& owner) {
    std::string text;
    SQLWCHAR buffer[512];
    for (;;) {
        SQLLEN length = 0;
        const SQLRETURN rc = SQLGetData(statement, column, SQL_C_WCHAR, buffer, sizeof buffer, &length);
        if (rc == SQL_NO_DATA) break;
        Check(rc, owner, "SQLGetData");
        if (length == SQL_NULL_DATA) return "<null>";
        text += dbAx::provider::FromOdbcText(buffer, sizeof buffer / sizeof buffer[0]);
        if (rc == SQL_SUCCESS) break;  // otherwise the rest follows
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

}  // namespace

AdminConnection::AdminConnection(const TestServer& server) {
    environment_ = AllocateOdbcHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
    if (!environment_) throw AdminError("no ODBC environment");
    Check(SQLSetEnvAttr(environment_.get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
          environment_, "SQLSetEnvAttr");
    OdbcHandle connection = Allocate(SQL_HANDLE_DBC, environment_);
    OdbcText name = ToOdbcText(server.dataSource);
    OdbcText user = ToOdbcText(server.user);
    OdbcText password = ToOdbcText(server.password);
    Check(SQLConnectW(connection.get(), name.data(), SQL_NTS, user.data(), SQL_NTS, password.data(), SQL_NTS),
          connection, "connecting to " + server.dataSource);
    connection_ = std::move(connection);
}

AdminConnection::~AdminConnection() { SQLDisconnect(connection_.get()); }

void AdminConnection::Execute(const std::string& sql) {
    OdbcHandle statement = Allocate(SQL_HANDLE_STMT, connection_);
    OdbcText text = ToOdbcText(sql);
    Check(SQLExecDirectW(statement.get(), text.data(), SQL_NTS), statement, sql);
}

std::vector<std::vector<std::string>> AdminConnection::Query(const std::string& sql) {
    OdbcHandle statement = Allocate(SQL_HANDLE_STMT, connection_);
    OdbcText text = ToOdbcText(sql);
    Check(SQLExecDirectW(statement.get(), text.data(), SQL_NTS), statement, sql);
    SQLSMALLINT columns = 0;
    Check(SQLNumResultCols(statement.get(), &columns), statement, "SQLNumResultCols");
    std::vector<std::vector<std::string>> rows;
    for (;;) {
        const SQLRETURN rc = SQLFetch(statement.get());
        if (rc == SQL_NO_DATA) break;
        Check(rc, statement, "SQLFetch");
        std::vector<std::string>& row = rows.emplace_back();
        for (SQLUSMALLINT column = 1; column <= static_cast<SQLUSMALLINT>(columns); ++column) {
            row.push_back(Column(statement.get(), column, statement));
        }
    }
    return rows;
}

void AdminConnection::BeginTransaction() {
    Check(SQLSetConnectAttrW(connection_.get(), SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF),
                             SQL_IS_UINTEGER),
          connection_, "autocommit off");
}

void AdminConnection::Rollback() {
    Check(SQLEndTran(SQL_HANDLE_DBC, connection_.get(), SQL_ROLLBACK), connection_, "SQLEndTran");
    Check(SQLSetConnectAttrW(connection_.get(), SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON),
                             SQL_IS_UINTEGER),
          connection_, "autocommit on");
}

}  // namespace odbctest
