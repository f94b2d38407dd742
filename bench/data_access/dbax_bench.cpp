// Adding the rows of 2,000 invoices of 10 lines through the dbAx recordset,
// which commits each invoice's lines with its header, against a plain
// baseline: prepared statements, one commit per invoice, on the same embedded
// database files.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/data_access/invoice_rows.h"
#include "bench/data_access/recordset_writer.h"
#include "bench/data_access/plain_inserts.h"
#include "bench/support/ratio_reporter.h"
#include "data_access/ax_connection.h"
#include "data_access/ax_library.h"
#include "data_access/ax_recordset.h"
#include "host/utf8.h"

namespace {

constexpr int kInvoices = 2000;
constexpr int kLinesEach = 10;

const std::vector<benchdata::Invoice>& Invoices() {
    static const auto invoices = benchdata::MakeInvoices(kInvoices, kLinesEach);
    return invoices;
}

void BM_baseline_prepared_statements(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        const auto directory = benchdata::FreshDatabase("veldmark-dbax-bench");
        auto inserts = std::make_unique<benchdata::PlainInserts>(directory / "APLIB.db", true);
        state.ResumeTiming();
        for (const benchdata::Invoice& invoice : Invoices()) inserts->Write(invoice);
        inserts.reset();
    }
    state.SetItemsProcessed(state.iterations() * kInvoices * (kLinesEach + 1));
}

void BM_recordset(benchmark::State& state) {
    dbAx::AxLibInit();
    for (auto _ : state) {
        state.PauseTiming();
        const auto directory = benchdata::FreshDatabase("veldmark-dbax-bench");
        state.ResumeTiming();
        dbAx::CAxConnection connection;
        connection.Create();
        connection.CursorLocation(3);
        connection.Open(u"Provider=IBMDA400;Data source=sqlite:" + kfx::FromUtf8(directory.string()) + u";", u"",
                        u"");
        benchdata::WriteThroughRecordsets(connection, "APLIB", Invoices());
    }
    dbAx::AxLibClose();
    state.SetItemsProcessed(state.iterations() * kInvoices * (kLinesEach + 1));
}

BENCHMARK(BM_baseline_prepared_statements)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_recordset)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

}  // namespace

int main(int argc, char** argv) { return benchsupport::RunWithRatios(argc, argv, "BM_baseline"); }
