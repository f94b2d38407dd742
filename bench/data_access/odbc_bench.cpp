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

using benchdata::BenchLibrary;
using benchdata::BenchServer;

const std::vector<benchdata::Invoice>& Invoices() {
    static const auto invoices = benchdata::MakeInvoices(kInvoices, kLinesEach);
    return invoices;
}

void BM_baseline_plain_odbc(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        BenchLibrary()->Empty();
        state.ResumeTiming();
        benchdata::PlainOdbcConnection connection(BenchServer());
        benchdata::WritePlainly(connection, BenchLibrary()->Name(), Invoices());
    }
    benchdata::CheckRowsWritten(state, kInvoices * (kLinesEach + 1));
    state.SetItemsProcessed(state.iterations() * kInvoices * (kLinesEach + 1));
}

void BM_recordset(benchmark::State& state) {
    dbAx::AxLibInit();
    for (auto _ : state) {
        state.PauseTiming();
        BenchLibrary()->Empty();
        state.ResumeTiming();
        dbAx::CAxConnection connection;
        connection.Create();
        connection.CursorLocation(3);
        connection.Open(u"Provider=IBMDA400;Data source=" + kfx::FromUtf8(BenchServer().dataSource) + u";",
                        kfx::FromUtf8(BenchServer().user), kfx::FromUtf8(BenchServer().password));
        benchdata::WriteThroughRecordsets(connection, BenchLibrary()->Name(), Invoices());
    }
    dbAx::AxLibClose();
    benchdata::CheckRowsWritten(state, kInvoices * (kLinesEach + 1));
    state.SetItemsProcessed(state.iterations() * kInvoices * (kLinesEach + 1));
}

BENCHMARK(BM_baseline_plain_odbc)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_recordset)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

}  // namespace

int main(int argc, char** argv) {
    if (!benchdata::ReadOdbcServer("odbc_bench", &BenchServer())) return 1;
    try {
        BenchLibrary() =
            std::make_unique<benchdata::OdbcBenchLibrary>(BenchServer(), "BENCH" + std::to_string(::getpid()));
        const int status = benchsupport::RunWithRatios(argc, argv, "BM_baseline");
        BenchLibrary().reset();
        return status;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "odbc_bench: %s\n", error.what());
        return 1;
    }
}
