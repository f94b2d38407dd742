#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "host_standin/release_log.h"
#include "host_standin/store_error.h"

namespace standin {
namespace {

namespace fs = std::filesystem;

std::string ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A file on a disk that fills up: it takes the given number of bytes, then
// writes part of a line and fails, as a full file system does.
class FillingFile final : public AppendOnlyFile {
public:
    FillingFile(fs::path path, std::size_t room, bool syncFails = false)
        : path_(std::move(path)), room_(room), syncFails_(syncFails) {}

    bool Append(std::string_view line, std::string_view ending, std::string* problem) override {
        const std::string content = ReadWhole(path_);
        const bool insideALine = !content.empty() && content.back() != '\n';
        const std::string bytes = insideALine ? std::string(ending) + std::string(line) : std::string(line);
        const std::size_t taken = std::min(room_, bytes.size());
        std::ofstream(path_, std::ios::binary | std::ios::app) << bytes.substr(0, taken);
        room_ -= taken;
        if (taken == bytes.size()) return true;
        *problem = "No space left on device";
        return false;
    }
    bool Sync(std::string* problem) override {
        if (syncFails_) *problem = "Input/output error";
        return !syncFails_;
    }

private:
    fs::path path_;
    std::size_t room_;
    bool syncFails_;
};

class ReleaseLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = fs::path(::testing::TempDir()) /
                ("log-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".jsonl");
        fs::remove(path_);
    }
    void TearDown() override { fs::remove(path_); }

    std::vector<LogEntry> Entries() const { return ReadReleaseLog(path_).entries; }

    std::string MessageOfReading() const {
        try {
            ReadReleaseLog(path_);
        } catch (const StoreError& error) {
            return error.what();
        }
        return "(read)";
    }

    const RunStarted run_{"2026-03-14T10:00:00Z", "class.json", "batch.json", "/store/batch.json"};
    fs::path path_;
};

TEST(ReleaseLogPathTest, LivesBesideTheDocumentClassFile) {
    EXPECT_EQ(LogPathFor("store/invoice.json"), fs::path("store/invoice.log.jsonl"));
    EXPECT_EQ(LogPathFor("invoice"), fs::path("invoice.log.jsonl"));
}

TEST(RunIdTest, NamesTheStartAndDiffersForRunsStartedTogether) {
    const std::string first = NewRunId("2026-03-14T09:26:53Z");
    EXPECT_EQ(first.rfind("20260314T092653Z-", 0), 0u) << first;
    EXPECT_EQ(first.size(), std::string("20260314T092653Z-").size() + 16);
    EXPECT_NE(first, NewRunId("2026-03-14T09:26:53Z"));
}

TEST_F(ReleaseLogTest, RecordsOfRunsThatOverlapReadBackEachWithItsRun) {
    ReleaseLogWriter first(path_, "run-a");
    ReleaseLogWriter second(path_, "run-b");
    first.AppendAndSync(run_);
    second.AppendAndSync(RunStarted{"2026-03-14T10:00:01Z", "class.json", "batch2.json", "/store/batch2.json"});
    first.AppendAndSync(DocumentStarted{1, "00ff00ff00ff00ff"});
    second.AppendAndSync(DocumentStarted{1});
    first.Append(LoggedMessage{1, ErrorLogEntry{1, 0, 0, u"Error in ReleaseDoc: a\r\nb — ü", u"releaseScript", 526}});
    second.Append(LoggedMessage{1, DocumentMessage{u"Document Released Successfully x.pdf", 0, 0}});
    first.AppendAndSync(DocumentOutcome{1, "failed", "00ff00ff00ff00ff"});
    second.AppendAndSync(DocumentOutcome{1, "released"});
    const std::vector<LogEntry> expected = {
        {"run-a", run_},
        {"run-b", RunStarted{"2026-03-14T10:00:01Z", "class.json", "batch2.json", "/store/batch2.json"}},
        {"run-a", DocumentStarted{1, "00ff00ff00ff00ff"}},
        {"run-b", DocumentStarted{1}},
        {"run-a", LoggedMessage{1, ErrorLogEntry{1, 0, 0, u"Error in ReleaseDoc: a\r\nb — ü", u"releaseScript", 526}}},
        {"run-b", LoggedMessage{1, DocumentMessage{u"Document Released Successfully x.pdf", 0, 0}}},
        {"run-a", DocumentOutcome{1, "failed", "00ff00ff00ff00ff"}},
        {"run-b", DocumentOutcome{1, "released"}},
    };
    EXPECT_EQ(Entries(), expected);
    EXPECT_EQ(ReadWhole(path_).rfind(R"({"kind":"run","run":"run-a","time":)", 0), 0u) << "the run goes next to the kind";
}

// Logs of earlier versions have no digests: their documents match no content.
TEST_F(ReleaseLogTest, ARecordWithoutContentReadsAsEmptyContent) {
    std::ofstream(path_) << R"({"kind":"started","run":"r","documentId":1})" "\n"
                         << R"({"kind":"outcome","run":"r","documentId":1,"outcome":"released"})" "\n";
    EXPECT_EQ(Entries(), (std::vector<LogEntry>{{"r", DocumentStarted{1, ""}}, {"r", DocumentOutcome{1, "released", ""}}}));
}

TEST_F(ReleaseLogTest, AnAbsentLogIsEmptyAndAWriterCreatesItOnlyWhenItWrites) {
    EXPECT_TRUE(Entries().empty());
    ReleaseLogWriter writer(path_, "run-a");
    EXPECT_FALSE(fs::exists(path_));
    writer.Append(run_);
    EXPECT_TRUE(writer.CreatedTheFile());
    EXPECT_FALSE(ReleaseLogWriter(path_, "run-b").CreatedTheFile());
}

TEST_F(ReleaseLogTest, AMalformedRecordInTheMiddleIsRefusedByLine) {
    std::ofstream(path_, std::ios::binary) << R"({"kind": "outcome", "run": "a", "documentId": 1, "outcome": "released"})" "\n"
                         << R"({"kind": "outcome", "run": "a", "documentId": 1, "outcome": "released", "extra": 1})" "\n"
                         << R"({"kind": "outcome", "run": "a", "documentId": 2, "outcome": "released"})" "\n";
    EXPECT_EQ(MessageOfReading(), path_.string() + ":2: extra: unknown key");
}

TEST_F(ReleaseLogTest, BlankLinesAreSkipped) {
    std::ofstream(path_, std::ios::binary) << R"({"kind": "outcome", "run": "a", "documentId": 1, "outcome": "released"})" "\n"
                                           << "\n   \r\n"
                                           << R"({"kind": "outcome", "run": "a", "documentId": 2, "outcome": "failed"})" "\n";
    const ReleaseLog log = ReadReleaseLog(path_);
    ASSERT_EQ(log.entries.size(), 2u);
    EXPECT_EQ(std::get<DocumentOutcome>(log.entries[1].record).documentId, 2);
}

TEST_F(ReleaseLogTest, ASyntaxErrorIsPlacedByTheLogsLineAndColumnOnce) {
    std::ofstream(path_, std::ios::binary) << "\n\n" << R"({"kind": "outcome", "run": "a", oops})" "\n";
    EXPECT_EQ(MessageOfReading().rfind(path_.string() + ":3:", 0), 0u) << MessageOfReading();
    EXPECT_EQ(MessageOfReading().find(":1:"), std::string::npos) << MessageOfReading();
}

TEST_F(ReleaseLogTest, ALineCutShortInTheMiddleIsRefusedUnlessALaterWriterEndedIt) {
    std::ofstream(path_, std::ios::binary) << R"({"kind": "outcome", "run": "a", "documentId": 1, "outc)" "\n"
                         << R"({"kind": "outcome", "run": "b", "documentId": 2, "outcome": "released"})" "\n";
    EXPECT_EQ(MessageOfReading().rfind(path_.string() + ":1:", 0), 0u) << MessageOfReading();
}

TEST_F(ReleaseLogTest, ARecordWithoutARunIsRefusedAsAnOlderLog) {
    std::ofstream(path_, std::ios::binary) << R"({"kind": "outcome", "documentId": 1, "outcome": "released"})" "\n";
    EXPECT_EQ(MessageOfReading(),
              path_.string() + ":1: top level: a record without a run, as veldmark wrote before its records named "
                               "their runs; rename this log to keep it, and the next release starts a new one");
}

TEST_F(ReleaseLogTest, ALastLineCutShortIsSkippedWithANote) {
    ReleaseLogWriter(path_, "run-a").Append(run_);
    std::ofstream(path_, std::ios::app | std::ios::binary) << R"({"kind":"outcome","run":"run-a","docum)";
    const ReleaseLog log = ReadReleaseLog(path_);
    EXPECT_EQ(log.entries, (std::vector<LogEntry>{{"run-a", run_}}));
    EXPECT_EQ(log.notes, std::vector<std::string>{path_.string() + ":2: a record cut short when its run ended; skipped"});
}

TEST_F(ReleaseLogTest, TheNextRunEndsALineCutShortAndNeverJoinsIt) {
    ReleaseLogWriter(path_, "run-a").Append(run_);
    const std::string cut = R"({"kind":"outcome","run":"run-a","docum)";
    std::ofstream(path_, std::ios::app | std::ios::binary) << cut;
    ReleaseLogWriter next(path_, "run-b");
    next.Append(DocumentOutcome{3, "released"});
    next.Append(DocumentOutcome{4, "released"});

    const ReleaseLog log = ReadReleaseLog(path_);
    EXPECT_EQ(log.entries, (std::vector<LogEntry>{{"run-a", run_},
                                                  {"run-b", DocumentOutcome{3, "released"}},
                                                  {"run-b", DocumentOutcome{4, "released"}}}));
    EXPECT_EQ(log.notes, std::vector<std::string>{path_.string() + ":2: a record cut short when its run ended; skipped"});
    std::istringstream lines(ReadWhole(path_));
    std::string line;
    std::getline(lines, line);
    std::getline(lines, line);
    EXPECT_EQ(line, cut) << "the cut line was joined to another";
    std::getline(lines, line);
    EXPECT_EQ(line, R"({"kind":"lineEnded","run":"run-b"})");
}

TEST_F(ReleaseLogTest, AWriteThatFailsHalfWayNeverLeavesAPartialRecordInTheMiddle) {
    std::ofstream(path_).close();
    {
        ReleaseLogWriter writer(path_, "run-a", std::make_unique<FillingFile>(path_, 200));
        writer.Append(run_);
        try {
            writer.Append(LoggedMessage{1, DocumentMessage{std::u16string(300, u'x'), 1, 1}});
            FAIL() << "the write did not fail";
        } catch (const StoreError& error) {
            EXPECT_EQ(std::string(error.what()), path_.string() + ": cannot write to the log: No space left on device");
        }
    }
    // The disk has room again; the next run goes on.
    ReleaseLogWriter(path_, "run-b").Append(DocumentOutcome{2, "released"});
    const ReleaseLog log = ReadReleaseLog(path_);
    EXPECT_EQ(log.entries, (std::vector<LogEntry>{{"run-a", run_}, {"run-b", DocumentOutcome{2, "released"}}}));
    EXPECT_EQ(log.notes.size(), 1u);
}

TEST_F(ReleaseLogTest, ARecordThatCannotBePutOnDiskIsAFailure) {
    ReleaseLogWriter writer(path_, "run-a", std::make_unique<FillingFile>(path_, 10000, true));
    writer.Append(run_);
    EXPECT_THROW(writer.AppendAndSync(DocumentStarted{1}), StoreError);
}

TEST_F(ReleaseLogTest, SyncPutsWhatWasAppendedOnDiskOrSaysItCannot) {
    ReleaseLogWriter unused(path_, "run-a");
    unused.Sync();  // nothing appended: no file is made for it
    EXPECT_FALSE(fs::exists(path_));

    ReleaseLogWriter writer(path_, "run-a", std::make_unique<FillingFile>(path_, 10000, true));
    writer.Append(DocumentOutcome{1, "released"});
    try {
        writer.Sync();
        ADD_FAILURE() << "a sync the disk refused passed";
    } catch (const StoreError& error) {
        EXPECT_EQ(std::string(error.what()), path_.string() + ": cannot put the log on disk: Input/output error");
    }
}

TEST_F(ReleaseLogTest, AFullDeviceIsNamed) {
#ifndef __linux__
    GTEST_SKIP() << "needs /dev/full";
#else
    fs::create_symlink("/dev/full", path_);
    try {
        ReleaseLogWriter(path_, "run-a").Append(run_);
        FAIL() << "written";
    } catch (const StoreError& error) {
        EXPECT_EQ(std::string(error.what()), path_.string() + ": cannot write to the log: No space left on device");
    }
#endif
}

TEST_F(ReleaseLogTest, AnUnopenableLogIsRefusedBeforeAnythingIsWritten) {
    const fs::path inMissingDirectory = fs::path(::testing::TempDir()) / "no-such-dir" / "x.log.jsonl";
    ReleaseLogWriter writer(inMissingDirectory, "run-a");
    EXPECT_THROW(writer.Append(run_), StoreError);
}

}  // namespace
}  // namespace standin
