#include "host_standin/batch_history.h"

namespace standin {

void BatchHistory::UnlessReleased(std::int64_t documentId, EarlierRelease state) {
    auto [place, added] = earlier_.try_emplace(documentId, state);
    if (!added && place->second != EarlierRelease::Released) place->second = state;
}

void BatchHistory::Add(const LogEntry& entry) {
    if (const auto* run = std::get_if<RunStarted>(&entry.record)) {
        if (run->batchIdentity != batchIdentity_) return;
        runsOfTheBatch_.insert(entry.runId);
        // A run with --again releases every document anew: what came before
        // it no longer says what is released, and a plain release completes
        // the run when it ended early.
        if (run->again) earlier_.clear();
        return;
    }
    if (!runsOfTheBatch_.contains(entry.runId)) return;
    if (const auto* started = std::get_if<DocumentStarted>(&entry.record)) {
        UnlessReleased(started->documentId, EarlierRelease::Unfinished);
    } else if (const auto* outcome = std::get_if<DocumentOutcome>(&entry.record)) {
        if (outcome->outcome == kReleased) {
            earlier_[outcome->documentId] = EarlierRelease::Released;
            ++releases_[outcome->documentId];
        }
        if (outcome->outcome == kFailed) UnlessReleased(outcome->documentId, EarlierRelease::Failed);
    }
}

}  // namespace standin
