#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host_standin/release_log.h"
#include "host_standin/store_error.h"

namespace standin {
namespace {

namespace fs = std::filesystem;

class ReleaseLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = fs::path(::testing::TempDir()) /
                ("log-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".jsonl");
        fs::remove(path_);
    }
    void TearDown() override { fs::remove(path_); }

    fs::path path_;
};

TEST(ReleaseLogPathTest, LivesBesideTheDocumentClassFile) {
    EXPECT_EQ(LogPathFor("store/invoice.json"), fs::path("store/invoice.log.jsonl"));
    EXPECT_EQ(LogPathFor("invoice"), fs::path("invoice.log.jsonl"));
}

TEST_F(ReleaseLogTest, RecordsOfSeveralRunsReadBackInOrder) {
    const std::vector<LogRecord> first = {
        RunStarted{"2026-03-14T10:00:00Z", "class.json", "batch.json"},
        LoggedMessage{1, ErrorLogEntry{1, 0, 0, u"Error in ReleaseDoc: a\r\nb — ü", u"releaseScript", 526}},
        LoggedMessage{1, DocumentMessage{u"Error in ReleaseDoc: a\r\nb — ü", 1, 1}},
        DocumentOutcome{1, "failed"},
    };
    const std::vector<LogRecord> second = {
        RunStarted{"2026-03-14T11:00:00Z", "class.json", "batch2.json"},
        LoggedMessage{2, ErrorLogEntry{0, 0, 0, u"Document Released Successfully x.pdf", u"releaseScript", 539}},
        DocumentOutcome{2, "released"},
    };
    for (const auto* run : {&first, &second}) {
        ReleaseLogWriter writer(path_);
        for (const LogRecord& record : *run) writer.Append(record);
    }
    std::vector<LogRecord> expected = first;
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(ReadReleaseLog(path_), expected);
}

TEST_F(ReleaseLogTest, AnAbsentLogIsEmpty) { EXPECT_TRUE(ReadReleaseLog(path_).empty()); }

TEST_F(ReleaseLogTest, AMalformedRecordIsNamedByLine) {
    std::ofstream(path_) << R"({"kind": "outcome", "documentId": 1, "outcome": "released"})" "\n"
                         << R"({"kind": "outcome", "documentId": 1, "outcome": "released", "extra": 1})" "\n";
    try {
        ReadReleaseLog(path_);
        FAIL() << "read";
    } catch (const StoreError& error) {
        EXPECT_EQ(std::string(error.what()), path_.string() + ":2: extra: unknown key");
    }
}

TEST_F(ReleaseLogTest, AnUnopenableLogIsRefusedBeforeAnythingIsWritten) {
    const fs::path inMissingDirectory = fs::path(::testing::TempDir()) / "no-such-dir" / "x.log.jsonl";
    EXPECT_THROW(ReleaseLogWriter{inMissingDirectory}, StoreError);
}

}  // namespace
}  // namespace standin
