// What earlier runs did with the documents of a batch, read from the log:
// the host releases a document once, so a batch released again skips what
// was released and looks up what may have been.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "host_standin/release_log.h"

namespace standin {

enum class EarlierRelease {
    Released,    // an earlier run released it
    Unfinished,  // handed to the component, and its run ended before the outcome was logged
    Failed,      // handed over and failed; it may have left line rows behind
};

// Gathered record by record, in the log's order, so that the log need not be
// held whole. Only the runs of the batch with the given identity count.
class BatchHistory {
public:
    explicit BatchHistory(std::string batchIdentity) : batchIdentity_(std::move(batchIdentity)) {}

    void Add(const LogEntry& entry);

    // By document id; documents no run handed over are absent. Counted from
    // the latest run with --again on; a release stays a release, whatever a
    // later run did with the document.
    const std::map<std::int64_t, EarlierRelease>& Earlier() const { return earlier_; }

    // How often each document was released, over the whole history (--again
    // included): a look-up finds that many headers of its earlier releases,
    // and one more when a release in doubt went through.
    const std::map<std::int64_t, int>& ReleasesLogged() const { return releases_; }

private:
    void UnlessReleased(std::int64_t documentId, EarlierRelease state);

    std::string batchIdentity_;
    std::set<std::string> runsOfTheBatch_;
    std::map<std::int64_t, EarlierRelease> earlier_;
    std::map<std::int64_t, int> releases_;
};

}  // namespace standin
