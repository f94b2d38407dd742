// `veldmark log`: shows the release log of a document class.
#pragma once

#include <filesystem>

#include "tools/command_streams.h"

namespace standin {

// Prints every run with its documents' log entries, messages and outcomes,
// each run's records under it. Notes on lines skipped (a record cut short
// when its run ended) go to err. A log that cannot be read answers
// kExitNothingDone.
int RunLog(const std::filesystem::path& documentClassFile, const CommandStreams& streams);

}  // namespace standin
