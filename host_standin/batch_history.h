// What earlier runs did with the documents of a batch, read from the log:
// the host releases a document once, so a batch released again skips what
// was released and looks up what may have been.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "host_standin/release_log.h"

namespace standin {

enum class EarlierRelease {
    Released,    // an earlier run released it
    Unfinished,  // handed to the component, and its run ended before the outcome was logged
    Failed,      // handed over and failed; it may have left line rows behind
};

// By document id; documents no earlier run handed over are absent. Only the
// runs of the batch with this identity count, from its latest run with
// --again on; a release stays a release, whatever a later run did with the
// document.
std::map<std::int64_t, EarlierRelease> EarlierReleases(const std::vector<LogEntry>& log,
                                                      const std::string& batchIdentity);

// How often the runs of the batch released each document, over its whole
// history (--again included): a look-up finds that many headers of a
// document's earlier releases, and one more when a release in doubt went
// through.
std::map<std::int64_t, int> ReleasesLogged(const std::vector<LogEntry>& log, const std::string& batchIdentity);

}  // namespace standin
