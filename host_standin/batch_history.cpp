#include "host_standin/batch_history.h"

#include <set>

namespace standin {

std::map<std::int64_t, EarlierRelease> EarlierReleases(const std::vector<LogEntry>& log,
                                                      const std::string& batchIdentity) {
    std::set<std::string> runsOfTheBatch;
    std::map<std::int64_t, EarlierRelease> earlier;
    const auto unlessReleased = [&](std::int64_t documentId, EarlierRelease state) {
        auto [place, added] = earlier.try_emplace(documentId, state);
        if (!added && place->second != EarlierRelease::Released) place->second = state;
    };
    for (const LogEntry& entry : log) {
        if (const auto* run = std::get_if<RunStarted>(&entry.record)) {
            if (run->batchIdentity != batchIdentity) continue;
            runsOfTheBatch.insert(entry.runId);
            // A run with --again releases every document anew: what came
            // before it no longer says what is released, and a plain release
            // completes the run when it ended early.
            if (run->again) earlier.clear();
            continue;
        }
        if (!runsOfTheBatch.contains(entry.runId)) continue;
        if (const auto* started = std::get_if<DocumentStarted>(&entry.record)) {
            unlessReleased(started->documentId, EarlierRelease::Unfinished);
        } else if (const auto* outcome = std::get_if<DocumentOutcome>(&entry.record)) {
            if (outcome->outcome == kReleased) earlier[outcome->documentId] = EarlierRelease::Released;
            if (outcome->outcome == kFailed) unlessReleased(outcome->documentId, EarlierRelease::Failed);
        }
    }
    return earlier;
}

std::map<std::int64_t, int> ReleasesLogged(const std::vector<LogEntry>& log, const std::string& batchIdentity) {
    std::set<std::string> runsOfTheBatch;
    std::map<std::int64_t, int> releases;
    for (const LogEntry& entry : log) {
        if (const auto* run = std::get_if<RunStarted>(&entry.record)) {
            if (run->batchIdentity == batchIdentity) runsOfTheBatch.insert(entry.runId);
        } else if (const auto* outcome = std::get_if<DocumentOutcome>(&entry.record)) {
            if (runsOfTheBatch.contains(entry.runId) && outcome->outcome == kReleased) ++releases[outcome->documentId];
        }
    }
    return releases;
}

}  // namespace standin
