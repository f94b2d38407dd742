// `veldmark check`: a pre-flight of a document class against the database its
// settings name, reading only: are the settings usable, does the connection
// open, does the library hold both interface files, are the mapped columns
// there, do the text constants fit them, are the required fields mapped.
#pragma once

#include <filesystem>

#include "tools/command_streams.h"

namespace standin {

// Prints one line per finding ("ok: ", "error: ", "note: "). Answers
// kExitNothingDone when the file cannot be read, kExitSomeFailed when any
// finding is an error, else kExitSuccess. Expects the data access library to
// be started already.
int RunCheck(const std::filesystem::path& documentClassFile, const CommandStreams& streams);

}  // namespace standin
