// Adding the rows of 500 invoices of 10 lines to the PostgreSQL test server
// (scripts/start-test-database) through the dbAx recordset and the ODBC
// provider, against a plain ODBC baseline: one prepared INSERT per file,
// values bound as wide text with their columns' types, autocommit, the same
// rows. Both write into a schema of their own, emptied before each run.
#include <benchmark/benchmark.h>
#include <sqlext.h>
#include <sqlucode.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "bench/data_access/invoice_rows.h"
#include "bench/data_access/recordset_writer.h"
#include "bench/support/ratio_reporter.h"
#include "data_access/ax_connection.h"
#include "data_access/ax_library.h"
#include "data_access/ax_recordset.h"
#include "data_access/provider/odbc_diagnostics.h"
#include "data_access/provider/odbc_handles.h"
#include "data_access/provider/odbc_text.h"
#include "host/utf8.h"
#include "model/interface_files.h"

namespace {

using dbAx::provider::AllocateOdbcHandle;
using dbAx::provider::OdbcHandle;
using dbAx::provider::OdbcText;
using dbAx::provider::ToOdbcText;

constexpr int kInvoices = 500;
constexpr int kLinesEach = 10;

struct Server {
    std::string dataSource, user, password;
};

Server& TestServer() {
    static Server server;
    return server;
}

const std::string& Library() {
    static const std::string library = "BENCH" + std::to_string(::getpid());
    return library;
}

const std::vector<benchdata::Invoice>& Invoices() {
    static const auto invoices = benchdata::MakeInvoices(kInvoices, kLinesEach);
    return invoices;
}

void Check(SQLRETURN rc, const OdbcHandle& handle, const std::string& what) {
    if (SQL_SUCCEEDED(rc)) return;
    std::string message = what;
    for (const auto& diagnostic : dbAx::provider::ReadDiagnostics(handle.type(), handle.get())) {
        message += '\n';
        message += dbAx::provider::DiagnosticText(diagnostic);
    }
    throw std::runtime_error(message);
}

// A plain connection with autocommit, as an application would open it.
class PlainConnection {
public:
    PlainConnection() {
        environment_ = AllocateOdbcHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
        Check(SQLSetEnvAttr(environment_.get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
              environment_, "SQLSetEnvAttr");
        connection_ = AllocateOdbcHandle(SQL_HANDLE_DBC, environment_.get());
        OdbcText name = ToOdbcText(TestServer().dataSource);
        OdbcText user = ToOdbcText(TestServer().user);
        OdbcText password = ToOdbcText(TestServer().password);
        Check(SQLConnectW(connection_.get(), name.data(), SQL_NTS, user.data(), SQL_NTS, password.data(), SQL_NTS),
              connection_, "connect");
    }
    ~PlainConnection() { SQLDisconnect(connection_.get()); }

    void Execute(const std::string& sql) {
        OdbcHandle statement = AllocateOdbcHandle(SQL_HANDLE_STMT, connection_.get());
        OdbcText text = ToOdbcText(sql);
        Check(SQLExecDirectW(statement.get(), text.data(), SQL_NTS), statement, sql);
    }
    SQLHDBC get() const { return connection_.get(); }

private:
    OdbcHandle environment_;
    OdbcHandle connection_;
};

void EmptyFiles() {
    PlainConnection connection;
    connection.Execute("TRUNCATE " + Library() + ".AIP32, " + Library() + ".AIP33");
}

// A run counts only when every row arrived.
void CheckAllRowsWritten(benchmark::State& state) {
    PlainConnection connection;
    OdbcHandle statement = AllocateOdbcHandle(SQL_HANDLE_STMT, connection.get());
    OdbcText sql = ToOdbcText("SELECT (SELECT count(*) FROM " + Library() + ".AIP32) + (SELECT count(*) FROM " +
                              Library() + ".AIP33)");
    Check(SQLExecDirectW(statement.get(), sql.data(), SQL_NTS), statement, "count");
    Check(SQLFetch(statement.get()), statement, "count");
    SQLBIGINT rows = 0;
    Check(SQLGetData(statement.get(), 1, SQL_C_SBIGINT, &rows, 0, nullptr), statement, "count");
    if (rows != kInvoices * (kLinesEach + 1)) state.SkipWithError("not every row was written");
}

// The baseline's insert for one file, prepared with the first row's columns.
class PlainInsert {
public:
    PlainInsert(SQLHDBC connection, const veldmark::InterfaceFile& file, const benchdata::Row& columns) {
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
        OdbcText sql = ToOdbcText("INSERT INTO " + Library() + "." + file.name + " (" + names + ") VALUES (" +
                                  markers + ")");
        Check(SQLPrepareW(statement_.get(), sql.data(), SQL_NTS), statement_, "prepare");
        buffers_.resize(columns.size());
    }

    void Execute(const benchdata::Row& row) {
        for (std::size_t index = 0; index < row.size(); ++index) {
            buffers_[index] = ToOdbcText(row[index].second);
            const Type& type = types_[index];
            Check(SQLBindParameter(statement_.get(), static_cast<SQLUSMALLINT>(index + 1), SQL_PARAM_INPUT,
                                   SQL_C_WCHAR, type.sqlType, type.size, type.digits, buffers_[index].data(),
                                   static_cast<SQLLEN>(buffers_[index].size() * sizeof(SQLWCHAR)), nullptr),
                  statement_, "bind");
        }
        Check(SQLExecute(statement_.get()), statement_, "insert");
    }

private:
    struct Type {
        SQLSMALLINT sqlType;
        SQLULEN size;
        SQLSMALLINT digits;
    };
    OdbcHandle statement_;
    std::vector<Type> types_;
    std::vector<OdbcText> buffers_;
};

void BM_baseline_plain_odbc(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        EmptyFiles();
        state.ResumeTiming();
        PlainConnection connection;
        PlainInsert header(connection.get(), veldmark::HeaderFile(), Invoices()[0].header);
        PlainInsert lines(connection.get(), veldmark::LineFile(), Invoices()[0].lines[0]);
        for (const benchdata::Invoice& invoice : Invoices()) {
            for (const benchdata::Row& row : invoice.lines) lines.Execute(row);
            header.Execute(invoice.header);
        }
    }
    CheckAllRowsWritten(state);
    state.SetItemsProcessed(state.iterations() * kInvoices * (kLinesEach + 1));
}

void BM_recordset(benchmark::State& state) {
    dbAx::AxLibInit();
    for (auto _ : state) {
        state.PauseTiming();
        EmptyFiles();
        state.ResumeTiming();
        dbAx::CAxConnection connection;
        connection.Create();
        connection.CursorLocation(3);
        connection.Open(u"Provider=IBMDA400;Data source=" + kfx::FromUtf8(TestServer().dataSource) + u";",
                        kfx::FromUtf8(TestServer().user), kfx::FromUtf8(TestServer().password));
        benchdata::WriteThroughRecordsets(connection, Library(), Invoices());
    }
    dbAx::AxLibClose();
    CheckAllRowsWritten(state);
    state.SetItemsProcessed(state.iterations() * kInvoices * (kLinesEach + 1));
}

BENCHMARK(BM_baseline_plain_odbc)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_recordset)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

bool ReadServer() {
    const char* names[] = {"ODBCINI", "VELDMARK_TEST_ODBC_DSN", "VELDMARK_TEST_ODBC_USER",
                           "VELDMARK_TEST_ODBC_PASSWORD"};
    for (const char* name : names) {
        if (!std::getenv(name) || !*std::getenv(name)) {
            std::fprintf(stderr,
                         "odbc_bench: %s is not set; start the test server with scripts/start-test-database and "
                         "export what it prints\n",
                         name);
            return false;
        }
    }
    TestServer() = {std::getenv("VELDMARK_TEST_ODBC_DSN"), std::getenv("VELDMARK_TEST_ODBC_USER"),
                    std::getenv("VELDMARK_TEST_ODBC_PASSWORD")};
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (!ReadServer()) return 1;
    try {
        PlainConnection connection;
        connection.Execute("DROP SCHEMA IF EXISTS " + Library() + " CASCADE");
        connection.Execute("CREATE SCHEMA " + Library());
        connection.Execute(veldmark::CreateTableSql(veldmark::HeaderFile(), Library()));
        connection.Execute(veldmark::CreateTableSql(veldmark::LineFile(), Library()));
        const int status = benchsupport::RunWithRatios(argc, argv, "BM_baseline");
        connection.Execute("DROP SCHEMA " + Library() + " CASCADE");
        return status;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "odbc_bench: %s\n", error.what());
        return 1;
    }
}
