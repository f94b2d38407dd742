// The sample batch released by `veldmark release` into the test server as a
// user would: its rows equal, column by column, those the same batch leaves
// in the embedded database, and a second run finds it released. Then the
// server stops answering (SIGSTOP) while a batch is released: each document
// ends at the login timeout, and the run stops after three of them. These
// tests pause the shared test server, so they run alone (RUN_SERIAL).
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "model/interface_files.h"
#include "tests/data_access/odbc/admin_connection.h"
#include "tests/data_access/odbc/frozen_server.h"
#include "tests/data_access/odbc/test_schema.h"
#include "tests/data_access/odbc/test_server.h"
#include "tests/data_access/odbc/veldmark_runs.h"

namespace odbctest {
namespace {

using Table = std::vector<std::vector<std::string>>;
using ::testing::HasSubstr;
using ::testing::Not;

constexpr auto kNoRunTakesLonger = std::chrono::seconds(120);

std::vector<std::string> ColumnNames(const veldmark::InterfaceFile& file) {
    std::vector<std::string> names;
    for (const veldmark::InterfaceColumn& column : file.columns) names.push_back(column.name);
    return names;
}

// A value of the embedded database as the servers give it back: a character
// value without the blanks that pad it, a number with its column's scale
// ("42.5" in a DECIMAL(15,2) reads "42.50").
std::string AsTheServersGiveIt(std::string text, const veldmark::ColumnType& type) {
    if (type.kind == veldmark::ColumnType::Char) {
        while (!text.empty() && text.back() == ' ') text.pop_back();
        return text;
    }
    if (type.scale == 0) return text.substr(0, text.find('.'));
    std::size_t point = text.find('.');
    if (point == std::string::npos) {
        point = text.size();
        text += '.';
    }
    text.resize(point + 1 + static_cast<std::size_t>(type.scale), '0');
    return text;
}

// Every row of an interface file of the embedded database's library, in the
// order of insertion, every column as the servers give it back.
Table EmbeddedRows(const std::filesystem::path& libraryFile, const veldmark::InterfaceFile& file) {
    Table rows;
    sqlite3* database = nullptr;
    if (sqlite3_open_v2(libraryFile.string().c_str(), &database, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << "cannot open " << libraryFile << ": " << sqlite3_errmsg(database);
        sqlite3_close(database);
        return rows;
    }
    std::string list;
    for (const std::string& name : ColumnNames(file)) list += (list.empty() ? "CAST(" : ", CAST(") + name + " AS TEXT)";
    sqlite3_stmt* statement = nullptr;
    const std::string sql = "SELECT " + list + " FROM " + file.name + " ORDER BY rowid";
    if (sqlite3_prepare_v2(database, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << sql << ": " << sqlite3_errmsg(database);
    } else {
        while (sqlite3_step(statement) == SQLITE_ROW) {
            std::vector<std::string>& row = rows.emplace_back();
            for (std::size_t column = 0; column < file.columns.size(); ++column) {
                const auto* text = sqlite3_column_text(statement, static_cast<int>(column));
                row.push_back(AsTheServersGiveIt(text ? reinterpret_cast<const char*>(text) : "<null>",
                                                 file.columns[column].type));
            }
        }
    }
    sqlite3_finalize(statement);
    sqlite3_close(database);
    return rows;
}

class OdbcSampleBatch : public ServerTest {
protected:
    void SetUp() override {
        ServerTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        schema_ = std::make_unique<TestSchema>(server_);
        runs_ = std::make_unique<VeldmarkRuns>(std::filesystem::path(::testing::TempDir()) /
                                               ("sample-" + schema_->Library()));
        ASSERT_FALSE(HasFailure());
        const std::filesystem::path server = runs_->Directory() / "server";
        std::filesystem::create_directories(server);
        std::ofstream(server / "supplier-invoice.json")
            << SampleDocumentClass(server_.dataSource, server_, schema_->Library());
        std::filesystem::copy_file(Examples() / "invoice-batch.json", server / "invoice-batch.json");
        ASSERT_FALSE(HasFailure());
    }
    void TearDown() override {
        runs_.reset();
        schema_.reset();
    }

    // options: "" or "--again ".
    VeldmarkRun ReleaseIntoTheServer(const std::string& options = "") const {
        return runs_->Run("release " + options + "supplier-invoice.json invoice-batch.json", kNoRunTakesLonger,
                          "server");
    }

    std::unique_ptr<TestSchema> schema_;
    std::unique_ptr<VeldmarkRuns> runs_;
};

TEST_F(OdbcSampleBatch, IsReleasedAsIntoTheEmbeddedDatabaseAndFoundReleasedTheNextTime) {
    if (!OnPostgreSql()) {
        // Names are quoted as the driver says, which here is not as the standard says.
        AdminConnection admin(server_);
        EXPECT_THAT(admin.Query("SELECT @@GLOBAL.sql_mode").at(0).at(0), Not(HasSubstr("ANSI_QUOTES")));
    }
    // The same batch into the embedded database, as run-demo releases it.
    const std::filesystem::path embedded = runs_->Directory() / "embedded";
    std::filesystem::create_directories(embedded);
    for (const char* name : {"supplier-invoice.json", "invoice-batch.json"}) {
        std::filesystem::copy_file(Examples() / name, embedded / name);
    }
    const VeldmarkRun created = runs_->Run("create-database demo-output/db APLIB", kNoRunTakesLonger, "embedded");
    ASSERT_EQ(created.exitCode, 0) << created.out;
    const VeldmarkRun intoEmbedded =
        runs_->Run("release supplier-invoice.json invoice-batch.json", kNoRunTakesLonger, "embedded");

    const VeldmarkRun intoServer = ReleaseIntoTheServer();
    std::cout << intoServer.out;
    // One sample invoice fails on purpose: a value its column cannot take,
    // refused when it is assigned, in the same words whatever the database.
    EXPECT_EQ(intoServer.exitCode, 1);
    EXPECT_THAT(intoServer.out, HasSubstr("Document 4: failed: Error in readVariables: Failed to set Field 'INVN32'"));
    EXPECT_THAT(intoServer.out, HasSubstr("4 released, 1 failed"));
    EXPECT_EQ(intoServer.out, intoEmbedded.out);

    const std::filesystem::path library = embedded / "demo-output" / "db" / "APLIB.db";
    std::vector<Table> written;
    for (const veldmark::InterfaceFile* file : {&veldmark::HeaderFile(), &veldmark::LineFile()}) {
        SCOPED_TRACE(file->name);
        written.push_back(schema_->Rows(file->name, ColumnNames(*file)));
        EXPECT_FALSE(written.back().empty());
        EXPECT_EQ(written.back(), EmbeddedRows(library, *file));
    }
    EXPECT_EQ(written[0].size(), 4u) << "a header for each document released";

    const VeldmarkRun again = ReleaseIntoTheServer();
    EXPECT_EQ(again.exitCode, 1) << again.out;
    EXPECT_THAT(again.out, HasSubstr("Document 1: already released"));
    EXPECT_THAT(again.out, HasSubstr("0 released, 1 failed, 4 already released"));
    EXPECT_EQ(schema_->RowCount("AIP32"), written[0].size()) << "nothing written twice";
    EXPECT_EQ(schema_->RowCount("AIP33"), written[1].size()) << "nothing written twice";
}

// Before the first document a run looks up, all together, the documents
// its log does not show released; with --again every document goes to the
// component and logs in itself. Either way three documents in a row that
// cannot reach the database stop the run.
TEST_F(OdbcSampleBatch, AServerThatAnswersNothingEndsEachDocumentAtTheLoginTimeoutAndStopsTheRunAfterThree) {
    const TwoSecondTimeouts timeouts;
    AdminConnection admin(server_);
    FrozenServer frozen(server_, admin);
    ASSERT_GT(frozen.Processes(), 0u) << "the server's processes are not found";
    const std::string login = "The data source '" + server_.dataSource + "' did not answer the login within 2 seconds";
    for (const char* options : {"", "--again "}) {
        SCOPED_TRACE(std::string("veldmark release ") + options);
        frozen.Freeze();
        const auto start = std::chrono::steady_clock::now();
        const VeldmarkRun paused = ReleaseIntoTheServer(options);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        frozen.Resume();
        std::cout << paused.out << "the run ended " << seconds << " s after it began\n";
        ASSERT_NE(paused.exitCode, -1) << "the run still waited for the stopped server after "
                                       << kNoRunTakesLonger.count() << " s";
        EXPECT_EQ(paused.exitCode, 1);
        // At most three logins given up at 2 seconds each, with the provider's
        // half second of grace, and room for a slow machine.
        EXPECT_LT(seconds, 3 * 2.5 + 15);
        for (const char* document : {"Document 1: ", "Document 2: ", "Document 3: "}) {
            const std::size_t at = paused.out.find(document);
            ASSERT_NE(at, std::string::npos) << document;
            EXPECT_THAT(paused.out.substr(at, paused.out.find('\n', at) - at), HasSubstr(login));
        }
        EXPECT_THAT(paused.out, HasSubstr("3 documents in a row could not reach the database; the run stops"));
        EXPECT_THAT(paused.out, HasSubstr("Document 4: not released: the run had stopped"));
        EXPECT_THAT(paused.out, HasSubstr("Document 5: not released: the run had stopped"));
        EXPECT_EQ(schema_->RowCount("AIP32") + schema_->RowCount("AIP33"), 0u);
    }

    // The server answers again: the next run releases the batch.
    const VeldmarkRun resumed = ReleaseIntoTheServer();
    EXPECT_THAT(resumed.out, HasSubstr("4 released, 1 failed")) << resumed.out;
    EXPECT_EQ(schema_->RowCount("AIP32"), 4u);
}

}  // namespace
}  // namespace odbctest
