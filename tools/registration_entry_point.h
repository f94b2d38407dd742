// Loads a component library and calls one of its registration entry points,
// DllRegisterServer or DllUnregisterServer, saying what came of it.
#pragma once

#include <filesystem>
#include <string>

#include "tools/command_streams.h"

namespace standin {

// `registry` names where the component writes, for the messages; `done` is
// "Registered" or "Unregistered".
int CallRegistrationEntryPoint(const std::filesystem::path& library, const char* entryPoint, const char* done,
                               const std::string& registry, const CommandStreams& streams);

}  // namespace standin
