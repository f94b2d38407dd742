#include "host_standin/batch_history.h"

namespace standin {

void BatchHistory::Add(const LogEntry& entry) {
    if (const auto* run = std::get_if<RunStarted>(&entry.record)) {
        if (run->batchIdentity != batchIdentity_) return;
        runsOfTheBatch_.insert(entry.runId);
        // A run with --again releases every document anew: what came before
        // it no longer says what is released, and a plain release completes
        // the run when it ended early.
        if (run->again) released_.clear();
        return;
    }
    if (!runsOfTheBatch_.contains(entry.runId)) return;
    const auto* outcome = std::get_if<DocumentOutcome>(&entry.record);
    if (!outcome || outcome->outcome != kReleased) return;
    const LoggedDocument document{outcome->documentId, outcome->content};
    released_.insert(document);
    ++releases_[document];
}

}  // namespace standin
