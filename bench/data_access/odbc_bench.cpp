// Adding the rows of 500 invoices of 10 lines to the PostgreSQL test server
// (scripts/start-test-database) through the dbAx recordset and the ODBC
// provider, against a plain ODBC baseline: one prepared INSERT per file,
// values bound as wide text with their columns' types, autocommit, the same
// rows. Both write into a schema of their own, emptied before each run.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "bench/data_access/invoice_rows.h"
#include "bench/data_access/plain_odbc.h"
#include "bench/data_access/recordset_writer.h"
#include "bench/support/ratio_reporter.h"
#include "data_access/ax_connection.h"
#include "data_access/ax_library.h"
#include "data_access/ax_recordset.h"
#include "host/utf8.h"

namespace {

constexpr int kInvoices = 500;
constexpr int kLinesEach = 10;

benchdata::OdbcServer& TestServer() {
    static benchdata::OdbcServer server;
    return server;
}

std::unique_ptr<benchdata::OdbcBenchLibrary>& Library() {
    static std::unique_ptr<benchdata::OdbcBenchLibrary> library;
    return library;
}

const std::vector<benchdata::Invoice>& Invoices() {
    static const auto invoices = benchdata::MakeInvoices(kInvoices, kLinesEach);
    return invoices;
}

// A run counts only when every row arrived.
void CheckAllRowsWritten(benchmark::State& state) {
    benchdata::PlainOdbcConnection connection(TestServer());
    if (connection.CountInterfaceRows(Library()->Name()) != kInvoices * (kLinesEach + 1)) {
        state.SkipWithError("not every row was written");
    }
}

void BM_baseline_plain_odbc(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Library()->Empty();
        state.ResumeTiming();
        benchdata::PlainOdbcConnection connection(TestServer());
        benchdata::WritePlainly(connection, Library()->Name(), Invoices());
    }
    CheckAllRowsWritten(state);
    state.SetItemsProcessed(state.iterations() * kInvoices * (kLinesEach + 1));
}

void BM_recordset(benchmark::State& state) {
    dbAx::AxLibInit();
    for (auto _ : state) {
        state.PauseTiming();
        Library()->Empty();
        state.ResumeTiming();
        dbAx::CAxConnection connection;
        connection.Create();
        connection.CursorLocation(3);
        connection.Open(u"Provider=IBMDA400;Data source=" + kfx::FromUtf8(TestServer().dataSource) + u";",
                        kfx::FromUtf8(TestServer().user), kfx::FromUtf8(TestServer().password));
        benchdata::WriteThroughRecordsets(connection, Library()->Name(), Invoices());
    }
    dbAx::AxLibClose();
    CheckAllRowsWritten(state);
    state.SetItemsProcessed(state.iterations() * kInvoices * (kLinesEach + 1));
}

BENCHMARK(BM_baseline_plain_odbc)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_recordset)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

}  // namespace

int main(int argc, char** argv) {
    if (!benchdata::ReadOdbcServer("odbc_bench", &TestServer())) return 1;
    try {
        Library() = std::make_unique<benchdata::OdbcBenchLibrary>(TestServer(), "BENCH" + std::to_string(::getpid()));
        const int status = benchsupport::RunWithRatios(argc, argv, "BM_baseline");
        Library().reset();
        return status;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "odbc_bench: %s\n", error.what());
        return 1;
    }
}
