// The veldmark command end to end: it finds the component only through the
// registry, so release works after register and stops after unregister.
#include <gtest/gtest.h>

#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "host_standin/release_log.h"
#include "tests/module/loaded_component.h"
#include "tests/support/killed_release.h"

namespace standin {
namespace {

// The file of a shared library every system has, which exports none of the entry points.
std::string SharedLibraryThatIsNoComponent() {
    void* library = dlopen("libz.so.1", RTLD_NOW | RTLD_LOCAL);
    Dl_info info{};
    if (!library || dladdr(dlsym(library, "zlibVersion"), &info) == 0) return "libz.so.1 (not found)";
    std::string file = info.dli_fname;
    dlclose(library);
    return file;
}

struct CommandResult {
    int exitCode;
    std::string out;
    std::string err;
};

class VeldmarkCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        directory = registry.File().string() + ".work";
        std::filesystem::remove_all(directory);
        std::filesystem::create_directories(directory);
        for (const char* sample : {"supplier-invoice.json", "invoice-batch.json"})
            std::filesystem::copy_file(std::filesystem::path(VELDMARK_SOURCE_DIR) / "examples" / sample,
                                       directory / sample);
    }
    void TearDown() override { std::filesystem::remove_all(directory); }

    CommandResult Run(const std::string& arguments) {
        const std::string command = "cd '" + directory.string() + "' && '" VELDMARK_EXECUTABLE "' " + arguments +
                                    " > out.txt 2> err.txt";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Read("out.txt"), Read("err.txt")};
    }
    std::string Read(const char* name) {
        std::ifstream stream(directory / name);
        std::ostringstream text;
        text << stream.rdbuf();
        return text.str();
    }

    veldmark::TemporaryRegistry registry;
    std::filesystem::path directory;
};

TEST_F(VeldmarkCommandTest, ReleaseFindsTheComponentOnlyOnceRegistered) {
    CommandResult result = Run("release supplier-invoice.json invoice-batch.json");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("Kessarin.BrinmoorExportConnector is not registered"), std::string::npos) << result.err;

    result = Run("register '" KESSARIN_LIBRARY "'");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    ASSERT_EQ(Run("create-database demo-output/db APLIB").exitCode, 0);
    // The host's own connection, beside the component's.
    result = Run("check supplier-invoice.json");
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    result = Run("release supplier-invoice.json invoice-batch.json");
    EXPECT_NE(result.out.find("Document 1: released"), std::string::npos) << result.out << result.err;
    // The sessions pooled in the processes closed with them, checkpointing the library.
    for (const char* left : {"demo-output/db/APLIB.db-wal", "demo-output/db/APLIB.db-shm"}) {
        EXPECT_FALSE(std::filesystem::exists(directory / left)) << left;
    }
    result = Run("show demo-output/db APLIB");
    EXPECT_NE(result.out.find("AIP32: 4 rows"), std::string::npos) << result.out << result.err;
    // Nor does the reader leave any.
    for (const char* left : {"demo-output/db/APLIB.db-wal", "demo-output/db/APLIB.db-shm"}) {
        EXPECT_FALSE(std::filesystem::exists(directory / left)) << left;
    }

    result = Run("unregister");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    result = Run("release supplier-invoice.json invoice-batch.json");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("is not registered"), std::string::npos) << result.err;
}

TEST_F(VeldmarkCommandTest, HelpAndVersionAnswerOnStandardOutput) {
    CommandResult result = Run("--help");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    for (const char* command : {"release", "setup", "register", "unregister", "show"})
        EXPECT_NE(result.out.find(std::string("veldmark ") + command + " "), std::string::npos) << command;
    for (const char* asked : {"setup --help", "release -h", "register --help", "unregister -h", "log --help"}) {
        result = Run(asked);
        EXPECT_EQ(result.exitCode, 0) << asked;
        EXPECT_EQ(result.out.rfind("usage: veldmark ", 0), 0u) << asked << ": " << result.out;
        EXPECT_EQ(result.err, "") << asked;
    }
    result = Run("--version");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("Veldmark Export Connector for System21 "), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("veldmark stand-in capture host "), std::string::npos) << result.out;
    result = Run("register");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err.rfind("usage: veldmark register <component library>\n", 0), 0u) << result.err;
}

TEST_F(VeldmarkCommandTest, RegisteringWhatIsNotAComponentSaysWhy) {
    CommandResult result = Run("register /nonexistent/libkessarin.so");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("/nonexistent/libkessarin.so cannot be loaded"), std::string::npos) << result.err;
    result = Run("register '" + SharedLibraryThatIsNoComponent() + "'");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("does not export DllRegisterServer"), std::string::npos) << result.err;
    EXPECT_FALSE(std::filesystem::exists(registry.File()));
}

// Rows per invoice number in one interface file of the embedded library.
std::map<std::string, int> RowsPerInvoice(const std::filesystem::path& library, const char* file, const char* column) {
    std::map<std::string, int> rows;
    sqlite3* database = nullptr;
    if (sqlite3_open_v2(library.c_str(), &database, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        const std::string sql = std::string("SELECT RTRIM(") + column + "), COUNT(*) FROM " + file + " GROUP BY 1";
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(database, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK) {
            while (sqlite3_step(statement) == SQLITE_ROW) {
                rows[reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))] = sqlite3_column_int(statement, 1);
            }
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(database);
    return rows;
}

void DeleteLinesOf(const std::filesystem::path& library, const std::string& invoice) {
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(library.c_str(), &database), SQLITE_OK);
    const std::string sql = "DELETE FROM AIP33 WHERE RTRIM(INVN33) = '" + invoice + "'";
    EXPECT_EQ(sqlite3_exec(database, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(database);
}

// Kills release at random points again and again, then releases the batch
// again until it is done, doing what the README says for lines left without
// a header: every invoice ends in AIP32 once, with exactly its lines.
std::size_t Occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// The interface files are the record of what was released: a lost log or
// another path to the same batch doubles nothing, and a new batch written
// where the old one lay is released, not skipped. With the real component,
// every value it writes (dates, amounts, names) compared as written.
TEST_F(VeldmarkCommandTest, TheInterfaceFilesKeepTheRecordWhateverBecomesOfTheLog) {
    ASSERT_EQ(Run("register '" KESSARIN_LIBRARY "'").exitCode, 0);
    ASSERT_EQ(Run("create-database demo-output/db APLIB").exitCode, 0);
    const CommandResult first = Run("release supplier-invoice.json invoice-batch.json");
    ASSERT_EQ(Occurrences(first.out, ": released\n"), 4u) << first.out << first.err;
    const std::string rowsReleased = Run("show demo-output/db APLIB").out;
    const std::string foundReleased = ": released: its header is in AIP32 already";

    std::filesystem::remove(directory / "supplier-invoice.log.jsonl");
    CommandResult again = Run("release supplier-invoice.json invoice-batch.json");
    EXPECT_EQ(Occurrences(again.out, foundReleased), 4u) << again.out << again.err;
    std::filesystem::create_hard_link(directory / "invoice-batch.json", directory / "linked-batch.json");
    again = Run("release supplier-invoice.json linked-batch.json");
    EXPECT_EQ(Occurrences(again.out, foundReleased), 4u) << again.out << again.err;
    EXPECT_EQ(Run("show demo-output/db APLIB").out, rowsReleased) << "nothing was written twice";

    // The next day's batch, under the same name and the same document ids.
    std::string batch = Read("invoice-batch.json");
    for (const char* invoice : {"\"4471\"", "\"FV0318\"", "\"TR2231\"", "\"88120\""}) {
        batch.replace(batch.find(invoice), std::string(invoice).size(), std::string(invoice).insert(1, "N"));
    }
    std::ofstream(directory / "invoice-batch.json") << batch;
    again = Run("release supplier-invoice.json invoice-batch.json");
    EXPECT_EQ(Occurrences(again.out, ": released\n"), 4u) << again.out << again.err;
    EXPECT_NE(Run("show demo-output/db APLIB").out.find("AIP32: 8 rows"), std::string::npos);
}

TEST_F(VeldmarkCommandTest, AReleaseKilledAgainAndAgainEndsWithEveryInvoiceOnceWithItsLines) {
    ASSERT_EQ(Run("register '" KESSARIN_LIBRARY "'").exitCode, 0);
    ASSERT_EQ(Run("create-database demo-output/db APLIB").exitCode, 0);
    constexpr int kDocuments = 48;
    std::ofstream(directory / "kill-batch.json") << testsupport::KillBatchJson(kDocuments);
    const std::filesystem::path library = directory / "demo-output" / "db" / "APLIB.db";

    const testsupport::KillTrialsOutcome outcome = testsupport::ReleaseKilledAgainAndAgain(
        VELDMARK_EXECUTABLE,
        {directory, "supplier-invoice.json", "kill-batch.json", directory / "supplier-invoice.log.jsonl"},
        [&](int id) { DeleteLinesOf(library, testsupport::KillBatchInvoice(id)); },
        [](const testsupport::KilledRun&) {});
    EXPECT_TRUE(outcome.completed);
    EXPECT_GE(outcome.kills, 3) << "too few runs were killed to mean anything";
    EXPECT_GE(outcome.midDocument, 1) << "no kill landed inside a document";

    const std::map<std::string, int> headers = RowsPerInvoice(library, "AIP32", "INVN32");
    const std::map<std::string, int> lineRows = RowsPerInvoice(library, "AIP33", "INVN33");
    ASSERT_EQ(headers.size(), static_cast<std::size_t>(kDocuments));
    for (int id = 1; id <= kDocuments; ++id) {
        const std::string invoice = testsupport::KillBatchInvoice(id);
        EXPECT_EQ(headers.count(invoice) ? headers.at(invoice) : 0, 1) << invoice;
        EXPECT_EQ(lineRows.count(invoice) ? lineRows.at(invoice) : 0, testsupport::KillBatchLines(id)) << invoice;
    }
    std::cout << "kill trials: " << outcome.kills << " killed, " << outcome.midDocument
              << " mid-document; in doubt afterwards: " << outcome.foundReleased.size() << " found released, "
              << outcome.linesOnly.size()
              << " with lines only (removed, then released), the others with nothing written (released)\n";
    // A document's lines are committed with its header: a kill leaves none alone.
    EXPECT_TRUE(outcome.linesOnly.empty()) << outcome.linesOnly.size() << " invoices had lines without their header";
}

// A run with --again killed part way is completed by a plain release: every
// invoice ends in the files twice, each time with all its lines, whatever the
// kill interrupted.
TEST_F(VeldmarkCommandTest, AReleaseAgainKilledPartWayIsCompletedByAPlainRelease) {
    ASSERT_EQ(Run("register '" KESSARIN_LIBRARY "'").exitCode, 0);
    ASSERT_EQ(Run("create-database demo-output/db APLIB").exitCode, 0);
    constexpr int kDocuments = 24;
    std::ofstream(directory / "again-batch.json") << testsupport::KillBatchJson(kDocuments);
    ASSERT_EQ(Run("release supplier-invoice.json again-batch.json").exitCode, 0);
    const testsupport::KilledRun killed =
        testsupport::ReleaseAndKill(VELDMARK_EXECUTABLE, directory, {"--again", "supplier-invoice.json", "again-batch.json"},
                                    3, std::chrono::microseconds(2000));
    ASSERT_TRUE(killed.killed) << killed.out;
    const CommandResult completed = Run("release supplier-invoice.json again-batch.json");
    EXPECT_EQ(completed.exitCode, 0) << completed.out << completed.err;
    const std::filesystem::path library = directory / "demo-output" / "db" / "APLIB.db";
    const std::map<std::string, int> headers = RowsPerInvoice(library, "AIP32", "INVN32");
    const std::map<std::string, int> lineRows = RowsPerInvoice(library, "AIP33", "INVN33");
    for (int id = 1; id <= kDocuments; ++id) {
        const std::string invoice = testsupport::KillBatchInvoice(id);
        EXPECT_EQ(headers.count(invoice) ? headers.at(invoice) : 0, 2) << invoice;
        EXPECT_EQ(lineRows.count(invoice) ? lineRows.at(invoice) : 0, 2 * testsupport::KillBatchLines(id)) << invoice;
    }
}

// What a service manager or a shutdown sends: the document in progress is
// finished and logged, the run stops with nothing in doubt, and releasing the
// batch again releases the rest.
TEST_F(VeldmarkCommandTest, ASignalToStopFinishesTheDocumentInProgressAndStopsTheRun) {
    ASSERT_EQ(Run("register '" KESSARIN_LIBRARY "'").exitCode, 0);
    ASSERT_EQ(Run("create-database demo-output/db APLIB").exitCode, 0);
    constexpr int kDocuments = 24;
    std::ofstream(directory / "signal-batch.json") << testsupport::KillBatchJson(kDocuments);
    for (const int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        const testsupport::KilledRun run =
            testsupport::ReleaseAndKill(VELDMARK_EXECUTABLE, directory, {"supplier-invoice.json", "signal-batch.json"},
                                        2, std::chrono::microseconds(3000), signal);
        EXPECT_FALSE(run.killed) << run.out;
        EXPECT_EQ(run.exitCode, 1) << run.out;
        EXPECT_NE(run.out.find(": not released: the run had stopped"), std::string::npos) << run.out;
        EXPECT_EQ(run.out.find(": in doubt"), std::string::npos) << run.out;
        const ReleaseLog records = ReadReleaseLog(directory / "supplier-invoice.log.jsonl");
        const std::string lastRun = records.entries.back().runId;
        std::set<std::int64_t> started, ended;
        for (const LogEntry& entry : records.entries) {
            if (entry.runId != lastRun) continue;
            if (const auto* s = std::get_if<DocumentStarted>(&entry.record)) started.insert(s->documentId);
            if (const auto* o = std::get_if<DocumentOutcome>(&entry.record)) ended.insert(o->documentId);
        }
        for (const std::int64_t id : started) EXPECT_TRUE(ended.contains(id)) << "document " << id << " in doubt";
    }
    EXPECT_EQ(Run("release supplier-invoice.json signal-batch.json").exitCode, 0);
    const std::filesystem::path library = directory / "demo-output" / "db" / "APLIB.db";
    const std::map<std::string, int> headers = RowsPerInvoice(library, "AIP32", "INVN32");
    const std::map<std::string, int> lineRows = RowsPerInvoice(library, "AIP33", "INVN33");
    ASSERT_EQ(headers.size(), static_cast<std::size_t>(kDocuments));
    for (int id = 1; id <= kDocuments; ++id) {
        const std::string invoice = testsupport::KillBatchInvoice(id);
        EXPECT_EQ(headers.at(invoice), 1) << invoice;
        EXPECT_EQ(lineRows.count(invoice) ? lineRows.at(invoice) : 0, 1 + id % 4) << invoice;
    }
}

}  // namespace
}  // namespace standin
