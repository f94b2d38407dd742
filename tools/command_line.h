// The veldmark command line: picks the subcommand and runs it.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "host_standin/component_loader.h"
#include "tools/command_streams.h"

namespace standin {

// The arguments after the program name. Help and --version are answered
// first. Unknown subcommands and wrong
// argument counts print the usage to err and answer kExitNothingDone.
// Answers --help, -h, "help [<command>]", "<command> --help" (or -h) and
// --version on out with kExitSuccess; nullopt for anything else.
std::optional<int> AnswerHelpOrVersion(const std::vector<std::string>& arguments, const CommandStreams& streams);

// Every command's synopsis, and the general options.
std::string Usage();
// One command's synopsis and what it does; the whole usage for an unknown command.
std::string UsageOf(const std::string& command);

int RunVeldmark(const std::vector<std::string>& arguments, ComponentLoader& loader, const CommandStreams& streams,
                std::chrono::system_clock::time_point now);

}  // namespace standin
