// The veldmark command line: picks the subcommand and runs it.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "host_standin/component_loader.h"
#include "tools/command_streams.h"

namespace standin {

// The arguments after the program name. Unknown subcommands and wrong
// argument counts print the usage to err and answer kExitNothingDone.
int RunVeldmark(const std::vector<std::string>& arguments, ComponentLoader& loader, const CommandStreams& streams,
                std::chrono::system_clock::time_point now);

}  // namespace standin
