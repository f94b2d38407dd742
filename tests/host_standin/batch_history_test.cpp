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

TEST(BatchHistoryTest, OnlyRunsOfTheSameBatchCountAndAReleaseStaysAReleaseWhateverFollows) {
    const std::vector<LogEntry> log = {
        {"a", RunOf("/b.json")},
        {"other", RunOf("/other.json")},
        {"a", DocumentStarted{1}},
        {"other", DocumentStarted{2}},
        {"other", DocumentOutcome{2, kReleased}},  // another batch's document 2
        {"a", DocumentOutcome{1, kReleased}},
        {"a", DocumentStarted{2}},
        {"a", DocumentOutcome{2, kFailed}},
        {"a", DocumentStarted{3}},  // its run ended here
        {"b", RunOf("/b.json")},
        {"b", DocumentStarted{1}},  // released again on request, and failed this time
        {"b", DocumentOutcome{1, kFailed}},
        {"b", DocumentOutcome{4, kNotReleased}},
        {"b", DocumentOutcome{5, kInDoubt}},
    };
    const std::map<std::int64_t, EarlierRelease> expected = {
        {1, EarlierRelease::Released}, {2, EarlierRelease::Failed}, {3, EarlierRelease::Unfinished}};
    EXPECT_EQ(HistoryOf(log, "/b.json").Earlier(), expected);
    EXPECT_EQ(HistoryOf(log, "/other.json").Earlier(), (std::map<std::int64_t, EarlierRelease>{{2, EarlierRelease::Released}}));
}

TEST(BatchHistoryTest, AFailedDocumentStartedAgainIsUnfinishedUntilItsOutcome) {
    const std::vector<LogEntry> log = {{"a", RunOf("/b.json")}, {"a", DocumentStarted{1}}, {"a", DocumentOutcome{1, kFailed}},
                                       {"b", RunOf("/b.json")}, {"b", DocumentStarted{1}}};
    EXPECT_EQ(HistoryOf(log, "/b.json").Earlier(), (std::map<std::int64_t, EarlierRelease>{{1, EarlierRelease::Unfinished}}));
}

// A run with --again that ended early: the documents it did not reach are to
// be released again, those it released are released, the one it left is in
// doubt; how often each was released counts every run.
TEST(BatchHistoryTest, ARunWithAgainStartsTheBatchAnewButEveryReleaseIsCounted) {
    RunStarted again = RunOf("/b.json");
    again.again = true;
    const std::vector<LogEntry> log = {
        {"a", RunOf("/b.json")},       {"a", DocumentStarted{1}}, {"a", DocumentOutcome{1, kReleased}},
        {"a", DocumentStarted{2}},     {"a", DocumentOutcome{2, kReleased}},
        {"a", DocumentStarted{3}},     {"a", DocumentOutcome{3, kReleased}},
        {"b", again},                  {"b", DocumentStarted{1}}, {"b", DocumentOutcome{1, kReleased}},
        {"b", DocumentStarted{2}},  // killed here; document 3 not reached
    };
    EXPECT_EQ(HistoryOf(log, "/b.json").Earlier(), (std::map<std::int64_t, EarlierRelease>{
                                                   {1, EarlierRelease::Released}, {2, EarlierRelease::Unfinished}}));
    EXPECT_EQ(HistoryOf(log, "/b.json").ReleasesLogged(), (std::map<std::int64_t, int>{{1, 2}, {2, 1}, {3, 1}}));
}

}  // namespace
}  // namespace standin
