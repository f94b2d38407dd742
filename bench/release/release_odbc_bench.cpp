// `veldmark release` of 500 invoices of 10 lines through ODBC into the
// PostgreSQL test server (scripts/start-test-database), by one station and
// by four at once (each a veldmark process releasing its own share of the
// invoices), against plain ODBC per-row commits of the same rows on the same
// number of connections, in the same run. Everything writes into a schema of
// the run's own, emptied before each run.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <future>
#include <memory>
#include <string>

#include "bench/data_access/invoice_rows.h"
#include "bench/data_access/plain_odbc.h"
#include "bench/release/release_files.h"
#include "bench/support/ratio_reporter.h"
#include "bench/support/registered_component.h"

namespace {

constexpr int kInvoices = 500;
constexpr int kLinesEach = 10;

using benchdata::BenchLibrary;
using benchdata::BenchServer;

// The invoices of each of `stations` stations.
std::vector<std::vector<benchdata::Invoice>> Shares(int stations) {
    const auto invoices = benchdata::MakeInvoices(kInvoices, kLinesEach);
    std::vector<std::vector<benchdata::Invoice>> shares(static_cast<std::size_t>(stations));
    for (std::size_t i = 0; i < invoices.size(); ++i) shares[i % shares.size()].push_back(invoices[i]);
    return shares;
}

// Runs `work(station)` for every station at once and waits for all of them.
template <class Work>
bool AllAtOnce(int stations, Work work) {
    std::vector<std::future<bool>> running;
    for (int station = 0; station < stations; ++station) {
        running.push_back(std::async(std::launch::async, work, station));
    }
    bool all = true;
    for (auto& one : running) all = one.get() && all;
    return all;
}

void BM_baseline_plain_odbc(benchmark::State& state) {
    const int stations = static_cast<int>(state.range(0));
    std::vector<std::vector<benchdata::Invoice>> rows;
    for (const auto& share : Shares(stations)) rows.push_back(benchrelease::ReleasedRows(share));
    for (auto _ : state) {
        state.PauseTiming();
        BenchLibrary()->Empty();
        state.ResumeTiming();
        const bool written = AllAtOnce(stations, [&rows](int station) {
            try {
                benchdata::PlainOdbcConnection connection(BenchServer());
                benchdata::WritePlainly(connection, BenchLibrary()->Name(), rows[static_cast<std::size_t>(station)]);
                return true;
            } catch (const std::exception& failure) {
                std::fprintf(stderr, "plain station %d: %s\n", station, failure.what());
                return false;
            }
        });
        if (!written) state.SkipWithError("a plain station failed");
    }
    benchdata::CheckRowsWritten(state, kInvoices * (kLinesEach + 1));
    state.counters["documents/s"] = benchmark::Counter(kInvoices, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_veldmark_release_odbc(benchmark::State& state) {
    const int stations = static_cast<int>(state.range(0));
    const auto shares = Shares(stations);
    const auto directory = std::filesystem::temp_directory_path() / "veldmark-release-odbc-bench";
    const benchrelease::Destination destination{BenchServer().dataSource, BenchServer().user, BenchServer().password,
                                                BenchLibrary()->Name()};
    auto stationDirectory = [&directory](int station) { return directory / ("station-" + std::to_string(station)); };
    for (auto _ : state) {
        state.PauseTiming();
        BenchLibrary()->Empty();
        std::filesystem::remove_all(directory);
        for (int station = 0; station < stations; ++station) {
            std::filesystem::create_directories(stationDirectory(station));
            benchrelease::WriteReleaseFiles(stationDirectory(station), destination,
                                            shares[static_cast<std::size_t>(station)]);
        }
        state.ResumeTiming();
        const bool released = AllAtOnce(stations, [&stationDirectory](int station) {
            return benchrelease::RunRelease(VELDMARK_EXECUTABLE, stationDirectory(station));
        });
        if (!released) state.SkipWithError("veldmark release failed");
    }
    benchdata::CheckRowsWritten(state, kInvoices * (kLinesEach + 1));
    // The commands run in child processes: only real time means anything here.
    state.counters["documents/s"] = benchmark::Counter(kInvoices, benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_baseline_plain_odbc)->ArgName("stations")->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)
    ->Iterations(1)->Repetitions(3)->UseRealTime();
BENCHMARK(BM_veldmark_release_odbc)->ArgName("stations")->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)
    ->Iterations(1)->Repetitions(3)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (!benchdata::ReadOdbcServer("release_odbc_bench", &BenchServer())) return 1;
    try {
        const benchsupport::RegisteredComponent component(VELDMARK_EXECUTABLE, KESSARIN_LIBRARY);
        BenchLibrary() =
            std::make_unique<benchdata::OdbcBenchLibrary>(BenchServer(), "RBENCH" + std::to_string(::getpid()));
        const int status = benchsupport::RunWithRatios(argc, argv, "BM_baseline");
        BenchLibrary().reset();
        return status;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "release_odbc_bench: %s\n", failure.what());
        return 1;
    }
}
