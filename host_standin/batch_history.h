// What earlier runs did with the documents of a batch, read from the log:
// the host releases a document once, so a batch released again skips what
// the log shows released, with the same content.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "host_standin/release_log.h"

namespace standin {

// A document as the log knows it: its id and the digest of its content.
struct LoggedDocument {
    std::int64_t documentId = 0;
    std::string content;

    friend auto operator<=>(const LoggedDocument&, const LoggedDocument&) = default;
};

// Gathered record by record, in the log's order, so that the log need not be
// held whole. Only the runs of the batch with the given identity count.
class BatchHistory {
public:
    explicit BatchHistory(std::string batchIdentity) : batchIdentity_(std::move(batchIdentity)) {}

    void Add(const LogEntry& entry);

    // Released by a run since the latest run with --again; a release stays a
    // release, whatever a later run did with the document.
    bool Released(const LoggedDocument& document) const { return released_.contains(document); }

    // How often the document was released, over the whole history (--again
    // included): the interface files hold that many headers of its releases.
    int ReleasesLogged(const LoggedDocument& document) const {
        const auto found = releases_.find(document);
        return found == releases_.end() ? 0 : found->second;
    }

private:
    std::string batchIdentity_;
    std::set<std::string> runsOfTheBatch_;
    std::set<LoggedDocument> released_;
    std::map<LoggedDocument, int> releases_;
};

}  // namespace standin
