// `veldmark release` of 500 invoices of 10 lines into the embedded database,
// which commits each invoice's lines and header together, against the plain
// baseline writing the same rows with one commit per invoice (and, for
// reference, one per row), in the same run. The build's component is registered in a registry of the
// run's own, which the veldmark command finds through $VELDMARK_REGISTRY.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "bench/data_access/invoice_rows.h"
#include "bench/data_access/plain_inserts.h"
#include "bench/release/release_files.h"
#include "bench/support/ratio_reporter.h"
#include "bench/support/registered_component.h"

namespace {

constexpr int kInvoices = 500;
constexpr int kLinesEach = 10;

const std::vector<benchdata::Invoice>& Invoices() {
    static const auto invoices = benchdata::MakeInvoices(kInvoices, kLinesEach);
    return invoices;
}

void BM_baseline_prepared_statements(benchmark::State& state) {
    const auto rows = benchrelease::ReleasedRows(Invoices());
    for (auto _ : state) {
        state.PauseTiming();
        const auto directory = benchdata::FreshDatabase("veldmark-release-bench-baseline");
        auto inserts = std::make_unique<benchdata::PlainInserts>(directory / "APLIB.db", state.range(0) != 0);
        state.ResumeTiming();
        for (const benchdata::Invoice& invoice : rows) inserts->Write(invoice);
        inserts.reset();
    }
    state.counters["documents/s"] = benchmark::Counter(kInvoices, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_veldmark_release(benchmark::State& state) {
    const auto directory = std::filesystem::temp_directory_path() / "veldmark-release-bench";
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(directory);
        benchdata::FreshDatabase("veldmark-release-bench/db");
        benchrelease::WriteReleaseFiles(directory, {"sqlite:" + (directory / "db").string(), "", "", "APLIB"},
                                        Invoices());
        state.ResumeTiming();
        if (!benchrelease::RunRelease(VELDMARK_EXECUTABLE, directory)) state.SkipWithError("veldmark release failed");
    }
    // The command runs in a child process: only real time means anything here.
    state.counters["documents/s"] = benchmark::Counter(kInvoices, benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_baseline_prepared_statements)
    ->ArgName("commit_per_invoice")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseRealTime();
BENCHMARK(BM_veldmark_release)
    ->ArgName("commit_per_invoice")
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    try {
        const benchsupport::RegisteredComponent component(VELDMARK_EXECUTABLE, KESSARIN_LIBRARY);
        return benchsupport::RunWithRatios(argc, argv, "BM_baseline");
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return 1;
    }
}
