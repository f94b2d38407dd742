#include <gtest/gtest.h>

#include <sstream>

#include "host_standin/release_log.h"
#include "tools/log_command.h"
#include "temporary_store.h"

namespace standin {
namespace {

class LogCommandTest : public ::testing::Test {
protected:
    testing::TemporaryStore store_;
    std::filesystem::path classFile_ = store_.Path("class.json");
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(LogCommandTest, ShowsEachRunWithItsDocuments) {
    {
        ReleaseLogWriter log(LogPathFor(classFile_), "run-1");
        log.Append(RunStarted{"2026-03-14T09:26:53Z", "class.json", "batch.json", "/s/batch.json"});
        log.Append(DocumentStarted{4});
        log.Append(LoggedMessage{4, ErrorLogEntry{1, 0, 0, u"Error in ReleaseDoc: first\nsecond", u"releaseScript", 526}});
        log.Append(LoggedMessage{4, DocumentMessage{u"Error in ReleaseDoc: first\nsecond", 1, 1}});
        log.Append(DocumentOutcome{4, "failed"});
    }
    EXPECT_EQ(RunLog(classFile_, {out_, err_, false}), 0);
    EXPECT_EQ(out_.str(),
              "Run 2026-03-14T09:26:53Z: batch batch.json, document class class.json (run run-1)\n"
              "  Document 4 error log (Err1 1, Err2 0, Err3 0, releaseScript line 526):\n"
              "      Error in ReleaseDoc: first\n"
              "      second\n"
              "  Document 4 message (error 1, InfoRet 1):\n"
              "      Error in ReleaseDoc: first\n"
              "      second\n"
              "  Document 4: failed\n");
}

// A captured value's control characters reach the terminal escaped, never raw.
TEST_F(LogCommandTest, ControlCharactersFromCapturedValuesAreShownEscaped) {
    {
        ReleaseLogWriter log(LogPathFor(classFile_), "run-1");
        log.Append(RunStarted{"2026-03-14T09:26:53Z", "class\x1b[2J.json", "batch.json", "/s/batch.json"});
        log.Append(DocumentStarted{4});
        log.Append(LoggedMessage{4, DocumentMessage{u"Failed to set Field 'INVN32' to value 'A\tB\x1b[31m'\nnext", 1, 1}});
        log.Append(DocumentOutcome{4, "failed"});
    }
    EXPECT_EQ(RunLog(classFile_, {out_, err_, false}), 0);
    EXPECT_EQ(out_.str(),
              "Run 2026-03-14T09:26:53Z: batch batch.json, document class class\\x1b[2J.json (run run-1)\n"
              "  Document 4 message (error 1, InfoRet 1):\n"
              "      Failed to set Field 'INVN32' to value 'A\\tB\\x1b[31m'\n"
              "      next\n"
              "  Document 4: failed\n");
}

TEST_F(LogCommandTest, SaysSoWhenNothingWasReleased) {
    EXPECT_EQ(RunLog(classFile_, {out_, err_, false}), 0);
    EXPECT_EQ(out_.str(), "No release is logged in " + store_.Path("class.log.jsonl").string() + ".\n");
}

TEST_F(LogCommandTest, RunsThatOverlapAreShownEachWithItsOwnDocuments) {
    {
        ReleaseLogWriter first(LogPathFor(classFile_), "run-a");
        ReleaseLogWriter second(LogPathFor(classFile_), "run-b");
        first.Append(RunStarted{"2026-03-14T09:26:53Z", "class.json", "a.json", "/s/a.json"});
        second.Append(RunStarted{"2026-03-14T09:26:54Z", "class.json", "b.json", "/s/b.json"});
        first.Append(DocumentStarted{1});
        second.Append(DocumentStarted{1});
        second.Append(DocumentOutcome{1, "released"});
        first.Append(DocumentOutcome{1, "failed"});
        first.Append(DocumentStarted{2});  // its run ended here
        second.Append(DocumentOutcome{2, "already released"});
    }
    EXPECT_EQ(RunLog(classFile_, {out_, err_, false}), 0);
    EXPECT_EQ(out_.str(),
              "Run 2026-03-14T09:26:53Z: batch a.json, document class class.json (run run-a)\n"
              "  Document 1: failed\n"
              "  Document 2: handed to the component; the run ended before its outcome was logged\n"
              "Run 2026-03-14T09:26:54Z: batch b.json, document class class.json (run run-b)\n"
              "  Document 1: released\n"
              "  Document 2: already released\n");
}

TEST_F(LogCommandTest, ALastRecordCutShortIsSkippedWithANote) {
    store_.Write("class.log.jsonl",
                 "{\"kind\": \"outcome\", \"run\": \"r\", \"documentId\": 1, \"outcome\": \"released\"}\n"
                 "{\"kind\": \"outcome\", \"run\": \"r\", \"documentId\": 2, \"outcome\": \"rel");
    EXPECT_EQ(RunLog(classFile_, {out_, err_, false}), 0);
    EXPECT_EQ(out_.str(), "Run r (its start is not in the log)\n  Document 1: released\n");
    EXPECT_EQ(err_.str(), "veldmark: note: " + store_.Path("class.log.jsonl").string() +
                              ":2: a record cut short when its run ended; skipped\n");
}

TEST_F(LogCommandTest, ADamagedRecordBeforeTheLastIsNamed) {
    store_.Write("class.log.jsonl",
                 "{\"kind\": \"outcome\", \"run\": \"r\", \"documentId\": 1, \"outcome\": \"rel\n"
                 "{\"kind\": \"outcome\", \"run\": \"r\", \"documentId\": 2, \"outcome\": \"released\"}\n");
    EXPECT_EQ(RunLog(classFile_, {out_, err_, false}), 2);
    EXPECT_EQ(err_.str().rfind("veldmark: " + store_.Path("class.log.jsonl").string() + ":1:", 0), 0u) << err_.str();
    EXPECT_EQ(out_.str(), "");
}

}  // namespace
}  // namespace standin
