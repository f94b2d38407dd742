// Four `veldmark release` processes at once into one library of the test
// server, as four capture stations would: every invoice must arrive whole,
// its header with exactly its own lines, none lost or doubled. Prints the
// throughput and its ratio to plain ODBC inserts of the same rows with one
// commit per row; nothing is asserted about time.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>
#include <string>
#include <vector>

#include "tests/data_access/odbc/admin_connection.h"
#include "tests/data_access/odbc/driver_leaks.h"
#include "tests/data_access/odbc/test_schema.h"
#include "tests/data_access/odbc/test_server.h"

namespace odbctest {
namespace {

constexpr int kBatches = 4;
constexpr int kInvoicesPerBatch = 500;
constexpr int kLinesPerInvoice = 3;

struct Invoice {
    std::string supplier;  // CDAC32
    std::string number;    // INVN32, distinct over all batches
    std::vector<std::string> lines;  // DESC33 of each line
};

std::vector<Invoice> BatchInvoices(int batch) {
    std::vector<Invoice> invoices;
    for (int i = 1; i <= kInvoicesPerBatch; ++i) {
        std::string number = std::to_string(100000 * batch + i);
        Invoice invoice{"01SUPP00" + std::to_string(batch), "L" + number, {}};
        for (int line = 1; line <= kLinesPerInvoice; ++line) {
            invoice.lines.push_back("Line " + std::to_string(line) + " of " + invoice.number);
        }
        invoices.push_back(invoice);
    }
    return invoices;
}

std::string DocumentClassJson(const TestServer& server, const std::string& library) {
    return R"({
  "formatVersion": 1,
  "batchClassName": "Load",
  "documentClassName": "Invoice",
  "indexFields": [
    {"name": "Supplier Account"}, {"name": "Invoice Number"}, {"name": "Invoice Date"},
    {"name": "Description", "table": "Lines"}
  ],
  "links": [
    {"source": "I", "sourceType": 1, "destination": "AIP32.RTYP32"},
    {"source": "Supplier Account", "sourceType": 0, "destination": "AIP32.CDAC32"},
    {"source": "Invoice Number", "sourceType": 0, "destination": "AIP32.INVN32"},
    {"source": "Invoice Date", "sourceType": 0, "destination": "AIP32.DTIN32"},
    {"source": "Description", "sourceType": 0, "destination": "AIP33.DESC33"},
    {"source": ")" + server.dataSource + R"(", "sourceType": 1, "destination": "serverName"},
    {"source": ")" + server.user + R"(", "sourceType": 1, "destination": "username"},
    {"source": ")" + server.password + R"(", "sourceType": 1, "destination": "password"},
    {"source": ")" + library + R"(", "sourceType": 1, "destination": "APILibrary"}
  ]
}
)";
}

std::string BatchJson(int batch, const std::vector<Invoice>& invoices) {
    std::string json = "{\"formatVersion\": 1, \"batchName\": \"LOAD-" + std::to_string(batch) + "\", \"documents\": [\n";
    for (std::size_t i = 0; i < invoices.size(); ++i) {
        json += std::string(i == 0 ? "" : ",\n") + "{\"documentId\": " + std::to_string(i + 1) +
                ", \"pdfFileName\": \"" + invoices[i].number + ".pdf\", \"indexFields\": {\"Supplier Account\": \"" +
                invoices[i].supplier + "\", \"Invoice Number\": \"" + invoices[i].number +
                "\", \"Invoice Date\": \"1260302\"}, \"tables\": {\"Lines\": [";
        for (std::size_t line = 0; line < invoices[i].lines.size(); ++line) {
            json += std::string(line == 0 ? "" : ", ") + "{\"Description\": \"" + invoices[i].lines[line] + "\"}";
        }
        json += "]}}";
    }
    return json + "\n]}\n";
}

void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The lines of each header, joined on the keys the release gives both files.
std::map<std::string, std::vector<std::string>> LinesByInvoice(AdminConnection& admin, const std::string& library) {
    std::map<std::string, std::vector<std::string>> lines;
    for (const auto& row : admin.Query("SELECT CONCAT(RTRIM(h.CDAC32), '/', RTRIM(h.INVN32)), l.DESC33 FROM " +
                                       library + ".AIP32 h JOIN " +
                                       library + ".AIP33 l ON l.CDAC33 = h.CDAC32 AND l.INVN33 = h.INVN32 "
                                       "ORDER BY 1, 2")) {
        lines[row.at(0)].push_back(row.at(1));
    }
    return lines;
}

// The same rows inserted plainly, each statement its own commit.
double PlainInsertSeconds(const TestServer& server, const std::string& library,
                          const std::vector<std::vector<Invoice>>& batches) {
    AdminConnection admin(server);
    const auto start = std::chrono::steady_clock::now();
    for (const auto& invoices : batches) {
        for (const Invoice& invoice : invoices) {
            admin.Execute("INSERT INTO " + library + ".AIP32 (RTYP32, CDAC32, INVN32, DTIN32) VALUES ('I', '" +
                          invoice.supplier + "', '" + invoice.number + "', 1260302)");
            for (const std::string& line : invoice.lines) {
                admin.Execute("INSERT INTO " + library + ".AIP33 (CDAC33, INVN33, DESC33) VALUES ('" +
                              invoice.supplier + "', '" + invoice.number + "', '" + line + "')");
            }
        }
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class ConcurrentReleaseLoadTest : public ServerTest {};

TEST_F(ConcurrentReleaseLoadTest, FourStationsReleaseEveryInvoiceWhole) {
    if (IsSkipped() || HasFatalFailure()) return;
    TestSchema schema(server_);
    const std::filesystem::path directory = std::filesystem::path(::testing::TempDir()) / ("load-" + schema.Library());
    std::filesystem::create_directories(directory);
    // The drivers' own leaks are not the release's.
    WriteFile(directory / "lsan.supp", kDriverLeakSuppressions);

    // The stations find the component through a registry of their own.
    const std::string environment = "VELDMARK_REGISTRY='" + (directory / "registry.json").string() +
                                    "' LSAN_OPTIONS=suppressions=" + (directory / "lsan.supp").string() + " ";
    ASSERT_EQ(std::system((environment + "'" + VELDMARK_EXECUTABLE + "' register '" + KESSARIN_LIBRARY +
                           "' > '" + (directory / "register.out").string() + "' 2>&1")
                              .c_str()),
              0);

    std::vector<std::vector<Invoice>> batches;
    std::vector<std::string> commands;
    for (int batch = 1; batch <= kBatches; ++batch) {
        batches.push_back(BatchInvoices(batch));
        // A document class per station, so that each writes its own log.
        const auto station = directory / ("station-" + std::to_string(batch));
        WriteFile(station.string() + ".json", DocumentClassJson(server_, schema.Library()));
        WriteFile(station.string() + "-batch.json", BatchJson(batch, batches.back()));
        commands.push_back(environment + "'" + VELDMARK_EXECUTABLE + "' release '" + station.string() + ".json' '" + station.string() +
                           "-batch.json' > '" + station.string() + ".out' 2>&1");
    }

    const auto start = std::chrono::steady_clock::now();
    std::vector<std::future<int>> stations;
    for (const std::string& command : commands) {
        stations.push_back(std::async(std::launch::async, [command] { return std::system(command.c_str()); }));
    }
    for (int batch = 1; batch <= kBatches; ++batch) {
        EXPECT_EQ(stations[batch - 1].get(), 0)
            << "station " << batch << ": see " << (directory / ("station-" + std::to_string(batch) + ".out"));
    }
    const double releaseSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::map<std::string, std::vector<std::string>> expected;
    for (const auto& invoices : batches) {
        for (const Invoice& invoice : invoices) expected[invoice.supplier + "/" + invoice.number] = invoice.lines;
    }
    AdminConnection admin(server_);
    EXPECT_EQ(schema.RowCount("AIP32"), std::size_t{kBatches * kInvoicesPerBatch});
    EXPECT_EQ(schema.RowCount("AIP33"), std::size_t{kBatches * kInvoicesPerBatch * kLinesPerInvoice});
    EXPECT_EQ(LinesByInvoice(admin, schema.Library()), expected);

    const double documents = kBatches * kInvoicesPerBatch;
    std::cout << "[ figures  ] " << kBatches << " concurrent releases: " << documents / releaseSeconds
              << " documents/s (" << releaseSeconds << " s)\n";
    TestSchema baseline(server_);
    const double plainSeconds = PlainInsertSeconds(server_, baseline.Library(), batches);
    EXPECT_EQ(LinesByInvoice(admin, baseline.Library()), expected);
    std::cout << "[ figures  ] plain ODBC, one commit per row, one connection: " << documents / plainSeconds
              << " documents/s; release/plain ratio " << plainSeconds / releaseSeconds << "\n";
    std::filesystem::remove_all(directory);
}

}  // namespace
}  // namespace odbctest
