#include <gtest/gtest.h>

#include "host_standin/batch_history.h"

namespace standin {
namespace {

RunStarted RunOf(const std::string& batchIdentity) { return {"2026-03-14T10:00:00Z", "c.json", "b.json", batchIdentity}; }

BatchHistory HistoryOf(const std::vector<LogEntry>& log, const std::string& batchIdentity) {
    BatchHistory history(batchIdentity);
    for (const LogEntry& entry : log) history.Add(entry);
    return history;
}

TEST(BatchHistoryTest, OnlyReleasesOfTheSameBatchWithTheSameContentCountAndAReleaseStaysAReleaseWhateverFollows) {
    const std::vector<LogEntry> log = {
        {"a", RunOf("/b.json")},
        {"other", RunOf("/other.json")},
        {"a", DocumentStarted{1, "c1"}},
        {"other", DocumentStarted{2, "c2"}},
        {"other", DocumentOutcome{2, kReleased, "c2"}},  // another batch's document 2
        {"a", DocumentOutcome{1, kReleased, "c1"}},
        {"a", DocumentStarted{2, "c2"}},
        {"a", DocumentOutcome{2, kFailed, "c2"}},
        {"a", DocumentStarted{3, "c3"}},  // its run ended here
        {"b", RunOf("/b.json")},
        {"b", DocumentStarted{1, "c1"}},  // released again on request, and failed this time
        {"b", DocumentOutcome{1, kFailed, "c1"}},
        {"b", DocumentOutcome{4, kAlreadyReleased, "c4"}},
        {"b", DocumentOutcome{5, kInDoubt, "c5"}},
    };
    const BatchHistory history = HistoryOf(log, "/b.json");
    EXPECT_TRUE(history.Released({1, "c1"}));
    EXPECT_FALSE(history.Released({1, "other content"})) << "a new batch where the old one lay";
    EXPECT_FALSE(history.Released({1, ""}));
    for (std::int64_t id : {2, 3, 4, 5}) {
        EXPECT_FALSE(history.Released({id, "c" + std::to_string(id)})) << id;
    }
    EXPECT_TRUE(HistoryOf(log, "/other.json").Released({2, "c2"}));
    EXPECT_FALSE(HistoryOf(log, "/other.json").Released({1, "c1"}));
}

// A run with --again that ended early: the documents it did not reach are to
// be released again, those it released are released; how often each was
// released counts every run.
TEST(BatchHistoryTest, ARunWithAgainStartsTheBatchAnewButEveryReleaseIsCounted) {
    RunStarted again = RunOf("/b.json");
    again.again = true;
    const std::vector<LogEntry> log = {
        {"a", RunOf("/b.json")},
        {"a", DocumentOutcome{1, kReleased, "c1"}},
        {"a", DocumentOutcome{2, kReleased, "c2"}},
        {"a", DocumentOutcome{3, kReleased, "c3"}},
        {"b", again},
        {"b", DocumentStarted{1, "c1"}},
        {"b", DocumentOutcome{1, kReleased, "c1"}},
        {"b", DocumentStarted{2, "c2"}},  // killed here; document 3 not reached
    };
    const BatchHistory history = HistoryOf(log, "/b.json");
    EXPECT_TRUE(history.Released({1, "c1"}));
    EXPECT_FALSE(history.Released({2, "c2"}));
    EXPECT_FALSE(history.Released({3, "c3"}));
    EXPECT_EQ(history.ReleasesLogged({1, "c1"}), 2);
    EXPECT_EQ(history.ReleasesLogged({2, "c2"}), 1);
    EXPECT_EQ(history.ReleasesLogged({3, "c3"}), 1);
    EXPECT_EQ(history.ReleasesLogged({3, "changed"}), 0);
}

}  // namespace
}  // namespace standin
