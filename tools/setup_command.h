// `veldmark setup`: shows the component's settings sheet for a document
// class and writes the document-class file when the sheet is saved.
#pragma once

#include <filesystem>

#include "host_standin/component_loader.h"
#include "tools/command_streams.h"

namespace standin {

// Prints "saved" when the component committed its settings with Apply and
// "cancelled" when it did not. A file that cannot be read, or a setup object
// that cannot be created or given its data, answers kExitNothingDone; an
// Apply that could not write the file, or a failed script call, answers
// kExitSomeFailed.
int RunSetup(const std::filesystem::path& documentClassFile, ComponentLoader& loader, const CommandStreams& streams);

}  // namespace standin
