#include "bench/data_access/plain_odbc.h"

#include <sqlext.h>
#include <sqlucode.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "data_access/provider/odbc_diagnostics.h"

namespace benchdata {
namespace {

using dbAx::provider::AllocateOdbcHandle;
using dbAx::provider::OdbcHandle;
using dbAx::provider::OdbcText;
using dbAx::provider::ToOdbcText;

void Check(SQLRETURN rc, const OdbcHandle& handle, const std::string& what) {
    if (SQL_SUCCEEDED(rc)) return;
    std::string message = what;
    for (const auto& diagnostic : dbAx::provider::ReadDiagnostics(handle.type(), handle.get())) {
        message += '\n';
        message += dbAx::provider::DiagnosticText(diagnostic);
    }
    throw std::runtime_error(message);
}

}  // namespace

bool ReadOdbcServer(const char* program, OdbcServer* server) {
    const char* names[] = {"ODBCINI", "VELDMARK_TEST_ODBC_DSN", "VELDMARK_TEST_ODBC_USER",
                           "VELDMARK_TEST_ODBC_PASSWORD"};
    for (const char* name : names) {
        if (!std::getenv(name) || !*std::getenv(name)) {
            std::fprintf(stderr,
                         "%s: %s is not set; start the test server with scripts/start-test-database and export "
                         "what it prints\n",
                         program, name);
            return false;
        }
    }
    *server = {std::getenv("VELDMARK_TEST_ODBC_DSN"), std::getenv("VELDMARK_TEST_ODBC_USER"),
               std::getenv("VELDMARK_TEST_ODBC_PASSWORD")};
    return true;
}

PlainOdbcConnection::PlainOdbcConnection(const OdbcServer& server) {
    environment_ = AllocateOdbcHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
    Check(SQLSetEnvAttr(environment_.get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
          environment_, "SQLSetEnvAttr");
    connection_ = AllocateOdbcHandle(SQL_HANDLE_DBC, environment_.get());
    OdbcText name = ToOdbcText(server.dataSource);
    OdbcText user = ToOdbcText(server.user);
    OdbcText password = ToOdbcText(server.password);
    Check(SQLConnectW(connection_.get(), name.data(), SQL_NTS, user.data(), SQL_NTS, password.data(), SQL_NTS),
          connection_, "connect");
}

PlainOdbcConnection::~PlainOdbcConnection() { SQLDisconnect(connection_.get()); }

void PlainOdbcConnection::Execute(const std::string& sql) {
    OdbcHandle statement = AllocateOdbcHandle(SQL_HANDLE_STMT, connection_.get());
    OdbcText text = ToOdbcText(sql);
    Check(SQLExecDirectW(statement.get(), text.data(), SQL_NTS), statement, sql);
}

long long PlainOdbcConnection::CountInterfaceRows(const std::string& library) {
    OdbcHandle statement = AllocateOdbcHandle(SQL_HANDLE_STMT, connection_.get());
    OdbcText sql = ToOdbcText("SELECT (SELECT count(*) FROM " + library + ".AIP32) + (SELECT count(*) FROM " +
                              library + ".AIP33)");
    Check(SQLExecDirectW(statement.get(), sql.data(), SQL_NTS), statement, "count");
    Check(SQLFetch(statement.get()), statement, "count");
    SQLBIGINT rows = 0;
    Check(SQLGetData(statement.get(), 1, SQL_C_SBIGINT, &rows, 0, nullptr), statement, "count");
    return rows;
}

PlainOdbcInsert::PlainOdbcInsert(SQLHDBC connection, const std::string& library, const veldmark::InterfaceFile& file,
                                 const Row& columns) {
    statement_ = AllocateOdbcHandle(SQL_HANDLE_STMT, connection);
    std::string names, markers;
    for (const auto& [column, value] : columns) {
        names += (names.empty() ? "" : ", ") + column;
        markers += markers.empty() ? "?" : ", ?";
        for (const veldmark::InterfaceColumn& declared : file.columns) {
            if (declared.name != column) continue;
            const bool text = declared.type.kind == veldmark::ColumnType::Char;
            types_.push_back({static_cast<SQLSMALLINT>(text ? SQL_WCHAR : SQL_DECIMAL),
                              static_cast<SQLULEN>(declared.type.length),
                              static_cast<SQLSMALLINT>(declared.type.scale)});
        }
    }
    if (types_.size() != columns.size()) throw std::logic_error("a benchmark column is not in " + file.name);
    OdbcText sql =
        ToOdbcText("INSERT INTO " + library + "." + file.name + " (" + names + ") VALUES (" + markers + ")");
    Check(SQLPrepareW(statement_.get(), sql.data(), SQL_NTS), statement_, "prepare");
    buffers_.resize(columns.size());
}

void PlainOdbcInsert::Execute(const Row& row) {
    for (std::size_t index = 0; index < row.size(); ++index) {
        buffers_[index] = ToOdbcText(row[index].second);
        const Type& type = types_[index];
        Check(SQLBindParameter(statement_.get(), static_cast<SQLUSMALLINT>(index + 1), SQL_PARAM_INPUT, SQL_C_WCHAR,
                               type.sqlType, type.size, type.digits, buffers_[index].data(),
                               static_cast<SQLLEN>(buffers_[index].size() * sizeof(SQLWCHAR)), nullptr),
              statement_, "bind");
    }
    Check(SQLExecute(statement_.get()), statement_, "insert");
}

void WritePlainly(PlainOdbcConnection& connection, const std::string& library, const std::vector<Invoice>& invoices) {
    if (invoices.empty()) return;
    PlainOdbcInsert header(connection.get(), library, veldmark::HeaderFile(), invoices[0].header);
    PlainOdbcInsert lines(connection.get(), library, veldmark::LineFile(), invoices[0].lines[0]);
    for (const Invoice& invoice : invoices) {
        for (const Row& row : invoice.lines) lines.Execute(row);
        header.Execute(invoice.header);
    }
}

OdbcBenchLibrary::OdbcBenchLibrary(const OdbcServer& server, std::string name)
    : connection_(server), name_(std::move(name)) {
    connection_.Execute("DROP SCHEMA IF EXISTS " + name_ + " CASCADE");
    connection_.Execute("CREATE SCHEMA " + name_);
    connection_.Execute(veldmark::CreateTableSql(veldmark::HeaderFile(), name_));
    connection_.Execute(veldmark::CreateTableSql(veldmark::LineFile(), name_));
}

OdbcBenchLibrary::~OdbcBenchLibrary() {
    try {
        connection_.Execute("DROP SCHEMA " + name_ + " CASCADE");
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "the benchmark schema %s stays: %s\n", name_.c_str(), failure.what());
    }
}

OdbcServer& BenchServer() {
    static OdbcServer server;
    return server;
}

std::unique_ptr<OdbcBenchLibrary>& BenchLibrary() {
    static std::unique_ptr<OdbcBenchLibrary> library;
    return library;
}

void CheckRowsWritten(benchmark::State& state, long long rows) {
    PlainOdbcConnection connection(BenchServer());
    if (connection.CountInterfaceRows(BenchLibrary()->Name()) != rows) state.SkipWithError("not every row was written");
}

void OdbcBenchLibrary::Empty() { connection_.Execute("TRUNCATE " + name_ + ".AIP32, " + name_ + ".AIP33"); }

}  // namespace benchdata
