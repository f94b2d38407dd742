// `veldmark release` into a library of the test server, with one
// transaction per document (VeldmarkCommit = Document), killed at random
// moments again and again: no kill leaves a line without its header, and
// releasing the batch again until it is done puts every invoice in once,
// with exactly its lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "tests/data_access/odbc/admin_connection.h"
#include "tests/data_access/odbc/own_data_source.h"
#include "tests/data_access/odbc/test_schema.h"
#include "tests/data_access/odbc/test_server.h"
#include "tests/data_access/odbc/veldmark_runs.h"
#include "tests/support/killed_release.h"

namespace odbctest {
namespace {

constexpr int kDocuments = 24;

// Rows per invoice number in one interface file.
std::map<std::string, int> RowsPerInvoice(AdminConnection& admin, const std::string& counting) {
    std::map<std::string, int> rows;
    for (const auto& row : admin.Query(counting)) rows[row.at(0)] = std::stoi(row.at(1));
    return rows;
}

class OdbcKilledRelease : public ServerTest {};

TEST_F(OdbcKilledRelease, WithDocumentCommitsNoKillLeavesALineWithoutItsHeader) {
    if (IsSkipped() || HasFatalFailure()) return;
    TestSchema schema(server_);
    const std::string library = schema.Library();
    OwnDataSource source(server_.dataSource, "kill", "VeldmarkCommit = Document");
    const VeldmarkRuns runs(std::filesystem::path(::testing::TempDir()) / ("kill-" + library));
    const std::filesystem::path& directory = runs.Directory();
    const std::string documentClass = SampleDocumentClass(source.Name(), server_, library);
    if (HasFailure()) return;
    std::ofstream(directory / "supplier-invoice.json") << documentClass;
    std::ofstream(directory / "kill-batch.json") << testsupport::KillBatchJson(kDocuments);

    AdminConnection admin(server_);
    const std::string linesWithoutHeader =
        "SELECT RTRIM(l.INVN33) FROM " + library + ".AIP33 l WHERE NOT EXISTS (SELECT 1 FROM " + library +
        ".AIP32 h WHERE h.CDAC32 = l.CDAC33 AND h.INVN32 = l.INVN33 AND h.RTYP32 = l.RTYP33)";
    int run = 0;
    const testsupport::KillTrialsOutcome outcome = testsupport::ReleaseKilledAgainAndAgain(
        VELDMARK_EXECUTABLE,
        {directory, "supplier-invoice.json", "kill-batch.json", directory / "supplier-invoice.log.jsonl", 8},
        [&](int id) {
            admin.Execute("DELETE FROM " + library + ".AIP33 WHERE RTRIM(INVN33) = '" +
                          testsupport::KillBatchInvoice(id) + "'");
        },
        [&](const testsupport::KilledRun& released) {
            ++run;
            EXPECT_TRUE(admin.Query(linesWithoutHeader).empty())
                << "run " << run << (released.killed ? " (killed)" : "") << " left lines without their header";
        });
    EXPECT_TRUE(outcome.completed);
    EXPECT_GE(outcome.kills, 3) << "too few runs were killed to mean anything";
    EXPECT_GE(outcome.midDocument, 1) << "no kill landed inside a document";
    EXPECT_TRUE(outcome.linesOnly.empty()) << outcome.linesOnly.size() << " invoices had lines without their header";

    const std::map<std::string, int> headers =
        RowsPerInvoice(admin, "SELECT RTRIM(INVN32), COUNT(*) FROM " + library + ".AIP32 GROUP BY 1");
    const std::map<std::string, int> lines =
        RowsPerInvoice(admin, "SELECT RTRIM(INVN33), COUNT(*) FROM " + library + ".AIP33 GROUP BY 1");
    ASSERT_EQ(headers.size(), static_cast<std::size_t>(kDocuments));
    for (int id = 1; id <= kDocuments; ++id) {
        const std::string invoice = testsupport::KillBatchInvoice(id);
        EXPECT_EQ(headers.count(invoice) ? headers.at(invoice) : 0, 1) << invoice;
        EXPECT_EQ(lines.count(invoice) ? lines.at(invoice) : 0, testsupport::KillBatchLines(id)) << invoice;
    }
    std::cout << "kill trials: " << outcome.kills << " killed, " << outcome.midDocument << " mid-document, "
              << outcome.foundReleased.size() << " in doubt found released\n";
}

}  // namespace
}  // namespace odbctest
