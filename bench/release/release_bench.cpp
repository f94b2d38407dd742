// `veldmark release` of 500 invoices of 10 lines into the embedded database,
// against the plain baseline writing the same rows with one commit per row,
// in the same run. The build's component is registered in a registry of the
// run's own, which the veldmark command finds through $VELDMARK_REGISTRY.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>

#include "bench/data_access/invoice_rows.h"
#include "bench/data_access/plain_inserts.h"
#include "bench/support/ratio_reporter.h"
#include "bench/support/registered_component.h"

namespace {

constexpr int kInvoices = 500;
constexpr int kLinesEach = 10;

const std::vector<benchdata::Invoice>& Invoices() {
    static const auto invoices = benchdata::MakeInvoices(kInvoices, kLinesEach);
    return invoices;
}

std::string Value(const benchdata::Row& row, const std::string& column) {
    for (const auto& [name, value] : row)
        if (name == column) return value;
    return {};
}

// Index field name and the column it feeds, for the header and the lines.
const std::pair<const char*, const char*> kHeaderFields[] = {
    {"Supplier Account", "CDAC32"}, {"Invoice Number", "INVN32"}, {"Invoice Date", "DTIN32"},
    {"Supplier Name", "INAM32"},    {"Terms", "TPAY32"},          {"Currency", "CURN32"},
    {"Discount", "DISP32"}};
const std::pair<const char*, const char*> kLineFields[] = {
    {"Item Code", "CATN33"},  {"Description", "DESC33"}, {"Quantity", "LQTY33"}, {"Unit Price", "UPRC33"},
    {"Line Value", "LVAL33"}, {"VAT Code", "VATC33"},    {"VAT Rate", "VATR33"}};

// A document class mapping those fields, and a batch of the invoices.
void WriteFiles(const std::filesystem::path& directory) {
    nlohmann::json indexFields = nlohmann::json::array();
    nlohmann::json links = nlohmann::json::array();
    links.push_back({{"source", "3"}, {"sourceType", 1}, {"destination", "AIP32.RTYP32"}});
    for (const auto& [field, column] : kHeaderFields) {
        indexFields.push_back({{"name", field}});
        links.push_back({{"source", field}, {"sourceType", 0}, {"destination", std::string("AIP32.") + column}});
    }
    for (const auto& [field, column] : kLineFields) {
        indexFields.push_back({{"name", field}, {"table", "Lines"}});
        links.push_back({{"source", field}, {"sourceType", 0}, {"destination", std::string("AIP33.") + column}});
    }
    links.push_back({{"source", "sqlite:" + (directory / "db").string()}, {"sourceType", 1}, {"destination", "serverName"}});
    links.push_back({{"source", "APLIB"}, {"sourceType", 1}, {"destination", "APILibrary"}});
    const nlohmann::json documentClass = {{"formatVersion", 1},
                                          {"batchClassName", "AP Invoices"},
                                          {"documentClassName", "Benchmark Invoice"},
                                          {"indexFields", indexFields},
                                          {"links", links}};
    nlohmann::json documents = nlohmann::json::array();
    int id = 1;
    for (const benchdata::Invoice& invoice : Invoices()) {
        nlohmann::json header = nlohmann::json::object();
        for (const auto& [field, column] : kHeaderFields) header[field] = Value(invoice.header, column);
        nlohmann::json lines = nlohmann::json::array();
        for (const benchdata::Row& row : invoice.lines) {
            nlohmann::json line = nlohmann::json::object();
            for (const auto& [field, column] : kLineFields) line[field] = Value(row, column);
            lines.push_back(line);
        }
        documents.push_back({{"documentId", id},
                             {"pdfFileName", "bench/" + std::to_string(id) + ".pdf"},
                             {"indexFields", header},
                             {"tables", {{"Lines", lines}}}});
        ++id;
    }
    std::ofstream(directory / "class.json") << documentClass.dump(1);
    std::ofstream(directory / "batch.json") << nlohmann::json{{"formatVersion", 1}, {"documents", documents}}.dump(1);
}

// The rows the release writes, as the baseline writes them.
std::vector<benchdata::Invoice> ReleasedRows() {
    std::vector<benchdata::Invoice> rows;
    for (const benchdata::Invoice& invoice : Invoices()) {
        benchdata::Invoice written;
        written.header = {{"RTYP32", "3"}};
        for (const auto& [field, column] : kHeaderFields) written.header.emplace_back(column, Value(invoice.header, column));
        for (const benchdata::Row& row : invoice.lines) {
            benchdata::Row line = {{"CDAC33", Value(invoice.header, "CDAC32")},
                                   {"INVN33", Value(invoice.header, "INVN32")},
                                   {"RTYP33", "3"}};
            for (const auto& [field, column] : kLineFields) line.emplace_back(column, Value(row, column));
            written.lines.push_back(line);
        }
        rows.push_back(written);
    }
    return rows;
}

void BM_baseline_prepared_statements(benchmark::State& state) {
    const auto rows = ReleasedRows();
    for (auto _ : state) {
        state.PauseTiming();
        const auto directory = benchdata::FreshDatabase("veldmark-release-bench-baseline");
        auto inserts = std::make_unique<benchdata::PlainInserts>(directory / "APLIB.db");
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
        WriteFiles(directory);
        const std::string command = std::string(VELDMARK_EXECUTABLE) + " release " + (directory / "class.json").string() +
                                    " " + (directory / "batch.json").string() + " > /dev/null";
        state.ResumeTiming();
        if (std::system(command.c_str()) != 0) state.SkipWithError("veldmark release failed");
    }
    // The command runs in a child process: only real time means anything here.
    state.counters["documents/s"] = benchmark::Counter(kInvoices, benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_baseline_prepared_statements)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->UseRealTime();
BENCHMARK(BM_veldmark_release)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->UseRealTime();

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
