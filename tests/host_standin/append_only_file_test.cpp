// The log's file as the platform writes it: a line that an earlier writer
// could not finish is ended first, by whichever writer comes next.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "host_standin/append_only_file.h"
#include "host_standin/batch_lock.h"
#include "store_refusal.h"

namespace standin {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kEnding = "\n{ended}\n";

std::string ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class AppendOnlyFileTest : public ::testing::Test {
protected:
    AppendOnlyFileTest()
        : path_(fs::path(::testing::TempDir()) /
                ("append-only-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                 ".log")) {
        fs::remove(path_);
    }
    ~AppendOnlyFileTest() override { fs::remove(path_); }

    fs::path path_;
};

TEST_F(AppendOnlyFileTest, EndsALineCutShortBeforeTheNextAndOnlyThen) {
    const struct {
        const char* name;
        std::optional<std::string> before;  // none: no file
        std::string after;
    } cases[] = {
        {"missing", std::nullopt, "line\n"},
        {"empty", "", "line\n"},
        {"whole lines", "old\n", "old\nline\n"},
        {"cut short", "cut", "cut\n{ended}\nline\n"},
        {"cut after a carriage return", "cut\r", "cut\r\n{ended}\nline\n"},
    };
    for (const auto& start : cases) {
        fs::remove(path_);
        if (start.before) std::ofstream(path_, std::ios::binary) << *start.before;
        {
            const auto file = OpenAppendOnlyFile(path_);
            std::string problem;
            EXPECT_TRUE(file->Append("line\n", kEnding, &problem)) << start.name << ": " << problem;
            EXPECT_TRUE(file->Sync(&problem)) << start.name << ": " << problem;
        }
        EXPECT_EQ(ReadWhole(path_), start.after) << start.name;
    }
}

TEST_F(AppendOnlyFileTest, WritersOfTheSameFileEachAppendAtItsEnd) {
    const auto first = OpenAppendOnlyFile(path_);
    const auto second = OpenAppendOnlyFile(path_);
    std::string problem;
    ASSERT_TRUE(first->Append("cut", kEnding, &problem)) << problem;
    ASSERT_TRUE(second->Append("b\n", kEnding, &problem)) << problem;
    ASSERT_TRUE(first->Append("a\n", kEnding, &problem)) << problem;
    EXPECT_EQ(ReadWhole(path_), "cut\n{ended}\nb\na\n") << "read while both writers hold it open";
}

// A batch lock takes the file the way a writer holds it.
TEST_F(AppendOnlyFileTest, AWriterWaitsForAnotherWritersHoldOnlySoLong) {
    std::ofstream(path_, std::ios::binary) << "a\n";
    const auto file = OpenAppendOnlyFile(path_, std::chrono::milliseconds(200));
    std::string problem;
    {
        const auto holder = LockBatch(path_);
        EXPECT_FALSE(file->Append("b\n", kEnding, &problem));
        EXPECT_EQ(problem,
                  "the log is locked by another process (a veldmark still running?) and was not let go within "
                  "0.2 seconds");
    }
    EXPECT_TRUE(file->Append("b\n", kEnding, &problem)) << problem;
    EXPECT_EQ(ReadWhole(path_), "a\nb\n");
}

TEST_F(AppendOnlyFileTest, AFileThatCannotBeOpenedIsNamedWithTheSystemsReason) {
    const fs::path inMissingDirectory = fs::path(::testing::TempDir()) / "no-such-directory" / "x.log";
    const std::string prefix = inMissingDirectory.string() + ": cannot open the log for appending: ";
    const std::string refusal = StoreRefusal([&] { OpenAppendOnlyFile(inMissingDirectory); });
    EXPECT_EQ(refusal.rfind(prefix, 0), 0u) << refusal;
    EXPECT_GT(refusal.size(), prefix.size()) << "no reason given";
}

}  // namespace
}  // namespace standin
