// `veldmark create-database` and `veldmark show`: the embedded database's
// interface files, created empty and shown after a release.
#pragma once

#include <filesystem>
#include <string>

#include "tools/command_streams.h"

namespace standin {

// Creates the library with empty AIP32 and AIP33 in the directory.
int RunCreateDatabase(const std::filesystem::path& directory, const std::string& library,
                      const CommandStreams& streams);

// Prints the rows of AIP32 and AIP33, each row as its columns that differ
// from the blank or zero a new row starts with.
int RunShow(const std::filesystem::path& directory, const std::string& library, const CommandStreams& streams);

}  // namespace standin
