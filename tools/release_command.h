// `veldmark release`: releases every document of a batch through the
// component, as the real host does, and records the outcome in the log. A
// batch released again releases only what was not released before.
#pragma once

#include <chrono>
#include <filesystem>

#include "host_standin/component_loader.h"
#include "tools/command_streams.h"

namespace standin {

// Failed documents in a row whose component messages say that the database
// could not be reached, after which the run stops.
constexpr int kUnreachableDocumentsThatStopTheRun = 3;

struct ReleaseRequest {
    std::filesystem::path documentClassFile;
    std::filesystem::path batchFile;
    std::chrono::system_clock::time_point startedAt;  // stamps the log and gives "Release Date"
    bool again = false;           // release every document, whatever earlier runs did
    bool releaseInDoubt = false;  // release documents whose earlier release left lines but no header
};

// Reads both files and the log fully first; any problem there, or with
// creating or opening the release object, releases nothing and answers
// kExitNothingDone. Otherwise prints one line per document and a summary,
// and answers kExitSomeFailed when any document was not released.
//
// Documents that earlier runs of the same batch file released are skipped.
// A document an earlier run handed over without a release on record (its
// run ended first, or it failed) is looked up in the interface files first:
// with its header there it counts as released; with nothing there it is
// released; with lines but no header it is reported and skipped.
//
// Expects the data access library started (for the look-ups).
int RunRelease(const ReleaseRequest& request, ComponentLoader& loader, const CommandStreams& streams);

}  // namespace standin
