#include "tools/command_line.h"

#ifndef VELDMARK_HOST_VERSION
#error "VELDMARK_HOST_VERSION and VELDMARK_COMPONENT_VERSION must name the versions built"
#endif

#include "tools/check_command.h"
#include "tools/database_commands.h"
#include "tools/log_command.h"
#include "tools/release_command.h"
#include "tools/setup_command.h"

namespace standin {
namespace {

struct CommandHelp {
    const char* name;
    const char* synopsis;  // after "veldmark "
    const char* details;   // what it does, and its options
};

constexpr CommandHelp kCommands[] = {
    {"release", "release [--again] [--release-in-doubt] <document-class file> <batch file>",
     "Releases the batch's documents through the registered component. Skips the documents\n"
     "that earlier runs of the batch released.\n"
     "  --again             releases every document of the batch again\n"
     "  --release-in-doubt  releases documents an earlier run left lines of but no header\n"},
    {"setup", "setup <document-class file>",
     "Shows the settings sheet of the registered component; prints \"saved\" or \"cancelled\".\n"},
    {"log", "log <document-class file>", "Prints every release run, message and outcome so far.\n"},
    {"check", "check <document-class file>", "Checks the settings against the live database; writes nothing.\n"},
    {"create-database", "create-database <directory> <library>",
     "Creates empty AIP32 and AIP33 interface files in <directory>/<LIBRARY>.db.\n"},
    {"show", "show <directory> <library>", "Prints the rows of AIP32 and AIP33, control characters escaped.\n"},
    {"register", "register <component library>", "Registers the component the library holds.\n"},
    {"unregister", "unregister [<component library>]",
     "Removes the component's registration (the registered library's, when none is named).\n"},
};

constexpr const char* kGeneralOptions =
    "\n"
    "veldmark --help | -h         prints this text\n"
    "veldmark --version           prints the versions of the component and of this host\n"
    "veldmark <command> --help    prints the command's usage\n";

bool IsHelp(const std::string& argument) { return argument == "--help" || argument == "-h"; }

const CommandHelp* FindCommand(const std::string& name) {
    for (const CommandHelp& command : kCommands) {
        if (name == command.name) return &command;
    }
    return nullptr;
}

// The host and the component are built from one source tree, so they share its version.
std::string VersionText() {
    return std::string("Veldmark Export Connector for System21 ") + VELDMARK_COMPONENT_VERSION +
           "\nveldmark stand-in capture host " + VELDMARK_HOST_VERSION + "\n";
}

// The release options before its operands; false for an unknown option.
bool ReadReleaseOptions(std::vector<std::string>& operands, ReleaseRequest& request) {
    while (!operands.empty() && operands.front().starts_with("--")) {
        if (operands.front() == "--again") {
            request.again = true;
        } else if (operands.front() == "--release-in-doubt") {
            request.releaseInDoubt = true;
        } else {
            return false;
        }
        operands.erase(operands.begin());
    }
    return true;
}

}  // namespace

int RunVeldmark(const std::vector<std::string>& arguments, ComponentLoader& loader, const CommandStreams& streams,
                std::chrono::system_clock::time_point now) {
    if (const std::optional<int> answered = AnswerHelpOrVersion(arguments, streams)) return *answered;
    const std::string subcommand = arguments.empty() ? "" : arguments[0];
    const std::size_t operands = arguments.empty() ? 0 : arguments.size() - 1;
    if (subcommand == "release") {
        std::vector<std::string> releaseOperands(arguments.begin() + 1, arguments.end());
        ReleaseRequest request;
        request.startedAt = now;
        if (ReadReleaseOptions(releaseOperands, request) && releaseOperands.size() == 2) {
            request.documentClassFile = releaseOperands[0];
            request.batchFile = releaseOperands[1];
            return RunRelease(request, loader, streams);
        }
    }
    if (subcommand == "setup" && operands == 1) return RunSetup(arguments[1], loader, streams);
    if (subcommand == "log" && operands == 1) return RunLog(arguments[1], streams);
    if (subcommand == "check" && operands == 1) return RunCheck(arguments[1], streams);
    if (subcommand == "create-database" && operands == 2) return RunCreateDatabase(arguments[1], arguments[2], streams);
    if (subcommand == "show" && operands == 2) return RunShow(arguments[1], arguments[2], streams);
    streams.err << Usage();
    return kExitNothingDone;
}

std::string Usage() {
    std::string text;
    for (const CommandHelp& command : kCommands)
        text += std::string(text.empty() ? "usage: " : "       ") + "veldmark " + command.synopsis + "\n";
    return text + kGeneralOptions;
}

std::string UsageOf(const std::string& command) {
    const CommandHelp* found = FindCommand(command);
    if (!found) return Usage();
    return std::string("usage: veldmark ") + found->synopsis + "\n" + found->details;
}

std::optional<int> AnswerHelpOrVersion(const std::vector<std::string>& arguments, const CommandStreams& streams) {
    if (arguments.empty()) return std::nullopt;
    const std::string& first = arguments[0];
    if (first == "--version" && arguments.size() == 1) {
        streams.out << VersionText();
        return kExitSuccess;
    }
    if ((IsHelp(first) || first == "help") && arguments.size() == 1) {
        streams.out << Usage();
        return kExitSuccess;
    }
    if (first == "help" && arguments.size() == 2 && FindCommand(arguments[1])) {
        streams.out << UsageOf(arguments[1]);
        return kExitSuccess;
    }
    if (!FindCommand(first)) return std::nullopt;
    for (std::size_t index = 1; index < arguments.size(); ++index) {
        if (IsHelp(arguments[index])) {
            streams.out << UsageOf(first);
            return kExitSuccess;
        }
    }
    return std::nullopt;
}

}  // namespace standin
