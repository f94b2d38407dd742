#include <gtest/gtest.h>

#include <sstream>

#include "tools/progress_bar.h"
#include "tools/utc_time.h"

namespace standin {
namespace {

TEST(ProgressBarTest, ShownOnlyOnATerminalForMoreThanAFewDocuments) {
    EXPECT_FALSE(ShouldShowProgress(false, 100));
    EXPECT_FALSE(ShouldShowProgress(true, kFewDocuments));
    EXPECT_TRUE(ShouldShowProgress(true, kFewDocuments + 1));
}

TEST(ProgressBarTest, RedrawsInPlaceAndWipesItself) {
    std::ostringstream out;
    ProgressBar bar(out, 6, true);
    bar.Advance();
    bar.Advance();
    bar.Advance();
    const std::string drawn = "[" + std::string(15, '#') + std::string(15, '-') + "] 3/6";
    EXPECT_EQ(out.str().substr(out.str().rfind('\r')), "\r" + drawn);
    out.str("");
    bar.Clear();
    EXPECT_EQ(out.str(), "\r" + std::string(drawn.size(), ' ') + "\r");
    out.str("");
    bar.Clear();
    EXPECT_EQ(out.str(), "") << "a bar that is not drawn has nothing to wipe";
}

TEST(ProgressBarTest, ADisabledBarWritesNothing) {
    std::ostringstream out;
    ProgressBar bar(out, 6, false);
    bar.Advance();
    bar.Clear();
    EXPECT_EQ(out.str(), "");
}

TEST(UtcTimeTest, FormatsAsIso8601) {
    const std::chrono::system_clock::time_point time{std::chrono::seconds(1773480413) + std::chrono::milliseconds(999)};
    EXPECT_EQ(UtcTimestamp(time), "2026-03-14T09:26:53Z");
    EXPECT_EQ(UtcDate(time), "2026-03-14");
    EXPECT_EQ(UtcTimestamp(std::chrono::system_clock::time_point{}), "1970-01-01T00:00:00Z");
}

}  // namespace
}  // namespace standin
