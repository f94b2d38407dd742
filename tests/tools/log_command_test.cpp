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
        ReleaseLogWriter log(LogPathFor(classFile_));
        log.Append(RunStarted{"2026-03-14T09:26:53Z", "class.json", "batch.json"});
        log.Append(LoggedMessage{4, ErrorLogEntry{1, 0, 0, u"Error in ReleaseDoc: first\nsecond", u"releaseScript", 526}});
        log.Append(LoggedMessage{4, DocumentMessage{u"Error in ReleaseDoc: first\nsecond", 1, 1}});
        log.Append(DocumentOutcome{4, "failed"});
    }
    EXPECT_EQ(RunLog(classFile_, {out_, err_, false}), 0);
    EXPECT_EQ(out_.str(),
              "Run 2026-03-14T09:26:53Z: batch batch.json, document class class.json\n"
              "  Document 4 error log (Err1 1, Err2 0, Err3 0, releaseScript line 526):\n"
              "      Error in ReleaseDoc: first\n"
              "      second\n"
              "  Document 4 message (error 1, InfoRet 1):\n"
              "      Error in ReleaseDoc: first\n"
              "      second\n"
              "  Document 4: failed\n");
}

TEST_F(LogCommandTest, SaysSoWhenNothingWasReleased) {
    EXPECT_EQ(RunLog(classFile_, {out_, err_, false}), 0);
    EXPECT_EQ(out_.str(), "No release is logged in " + store_.Path("class.log.jsonl").string() + ".\n");
}

TEST_F(LogCommandTest, ADamagedLogIsNamed) {
    store_.Write("class.log.jsonl", "{\"kind\": \"outcome\", \"documentId\": 1, \"outcome\": \"rel");
    EXPECT_EQ(RunLog(classFile_, {out_, err_, false}), 2);
    EXPECT_EQ(err_.str().rfind("veldmark: " + store_.Path("class.log.jsonl").string() + ":1:", 0), 0u) << err_.str();
}

}  // namespace
}  // namespace standin
