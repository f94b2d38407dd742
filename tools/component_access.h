// How veldmark finds the component, as the host of each platform does:
// `veldmark register <component library>` and `veldmark unregister
// [<component library>]` call the component's own registration entry points,
// and release and setup create its classes by ProgID from what they wrote.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>

#include "host_standin/component_loader.h"
#include "tools/command_streams.h"

namespace standin {

int RunRegister(const std::filesystem::path& library, const CommandStreams& streams);
// Without a library, the one registered for the release class is asked.
int RunUnregister(const std::optional<std::filesystem::path>& library, const CommandStreams& streams);

// Null, after saying why on `err`, when the registry cannot be reached.
std::unique_ptr<ComponentLoader> OpenComponentLoader(std::ostream& err);

}  // namespace standin
