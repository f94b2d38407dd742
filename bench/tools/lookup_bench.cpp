// The look-up of earlier releases: 3,000 documents against 500,000 headers in
// AIP32 (half of the documents among them), in selections of 200 documents,
// against the same look-up made one document at a time, on the same files.
#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bench/support/ratio_reporter.h"
#include "data_access/ax_library.h"
#include "data_access/provider/embedded_database.h"
#include "host/utf8.h"
#include "tools/released_rows_lookup.h"

namespace {

constexpr int kHeaders = 500000;
constexpr int kDocuments = 3000;

std::string InvoiceNumber(int n) { return std::to_string(1000000 + n); }

// A library of kHeaders headers of supplier S1, made once for every benchmark.
const std::filesystem::path& Database() {
    static const std::filesystem::path directory = [] {
        const auto path = std::filesystem::temp_directory_path() / "veldmark-lookup-bench";
        std::filesystem::remove_all(path);
        dbAx::provider::CreateEmbeddedInterfaceFiles(path, "APLIB");
        sqlite3* database = nullptr;
        sqlite3_open((path / "APLIB.db").string().c_str(), &database);
        sqlite3_exec(database, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(database, "INSERT INTO AIP32 (CDAC32, INVN32, RTYP32, INAM32) VALUES ('S1', ?, 'I', 'Acme')",
                           -1, &insert, nullptr);
        for (int n = 0; n < kHeaders; ++n) {
            const std::string invoice = InvoiceNumber(n);
            sqlite3_bind_text(insert, 1, invoice.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        sqlite3_exec(database, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(database);
        return path;
    }();
    return directory;
}

// Every other document has its header among them.
const std::vector<standin::ReleaseDocument>& Documents() {
    static const std::vector<standin::ReleaseDocument> documents = [] {
        std::vector<standin::ReleaseDocument> made;
        const kfx::Text server = u"sqlite:" + kfx::FromUtf8(Database().string());
        for (int d = 0; d < kDocuments; ++d) {
            const int invoice = d % 2 == 0 ? d * (kHeaders / kDocuments) : kHeaders + d;
            standin::ReleaseDocument& document = made.emplace_back();
            document.values = {{u"serverName", server},
                               {u"APILibrary", u"APLIB"},
                               {u"AIP32.CDAC32", u"S1"},
                               {u"AIP32.INVN32", kfx::FromUtf8(InvoiceNumber(invoice))},
                               {u"AIP32.RTYP32", u"I"},
                               {u"AIP32.INAM32", u"Acme"}};
        }
        return made;
    }();
    return documents;
}

void LookUp(benchmark::State& state, std::size_t documentsPerLookup) {
    std::vector<standin::DocumentToCheck> documents;
    for (const standin::ReleaseDocument& document : Documents()) documents.push_back({&document, 0, true});
    dbAx::AxLibInit();
    std::size_t found = 0;
    for (auto _ : state) {
        found = 0;
        for (const standin::LookupAnswer& answer : standin::LookUpEarlierReleases(documents, documentsPerLookup)) {
            if (!answer.rows) state.SkipWithError(answer.problem.c_str());
            found += answer.rows && answer.rows->headerUnaccounted ? 1 : 0;
        }
    }
    dbAx::AxLibClose();
    if (found != kDocuments / 2) state.SkipWithError("the look-up did not find every other document");
    state.SetItemsProcessed(state.iterations() * kDocuments);
}

void BM_baseline_one_document_per_selection(benchmark::State& state) { LookUp(state, 1); }
void BM_lookup(benchmark::State& state) { LookUp(state, standin::kDocumentsPerLookup); }

BENCHMARK(BM_baseline_one_document_per_selection)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_lookup)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

}  // namespace

int main(int argc, char** argv) { return benchsupport::RunWithRatios(argc, argv, "BM_baseline"); }
