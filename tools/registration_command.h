// veldmark register <component library> and veldmark unregister [<component
// library>]: the component writes its registration into the host's registry,
// or removes it, through its own entry points.
#pragma once

#include <filesystem>
#include <optional>

#include "tools/command_streams.h"

namespace standin {

int RunRegister(const std::filesystem::path& registryFile, const std::filesystem::path& library,
                const CommandStreams& streams);
// Without a library, the one registered for the release class is asked.
int RunUnregister(const std::filesystem::path& registryFile, const std::optional<std::filesystem::path>& library,
                  const CommandStreams& streams);

}  // namespace standin
