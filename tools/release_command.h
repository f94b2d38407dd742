// `veldmark release`: releases every document of a batch through the
// component, as the real host does, and records the outcome in the log.
#pragma once

#include <chrono>
#include <filesystem>

#include "host_standin/component_loader.h"
#include "tools/command_streams.h"

namespace standin {

struct ReleaseRequest {
    std::filesystem::path documentClassFile;
    std::filesystem::path batchFile;
    std::chrono::system_clock::time_point startedAt;  // stamps the log and gives "Release Date"
};

// Reads both files fully first; any problem there, with the log or with
// creating or opening the release object releases nothing and answers
// kExitNothingDone. Otherwise prints one line per document and a summary,
// and answers kExitSomeFailed when any document was not released.
int RunRelease(const ReleaseRequest& request, ComponentLoader& loader, const CommandStreams& streams);

}  // namespace standin
