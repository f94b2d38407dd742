#include "tools/command_line.h"

#include "tools/check_command.h"
#include "tools/database_commands.h"
#include "tools/log_command.h"
#include "tools/release_command.h"
#include "tools/setup_command.h"

namespace standin {
namespace {

constexpr const char* kUsage =
    "usage: veldmark release <document-class file> <batch file>\n"
    "       veldmark setup <document-class file>\n"
    "       veldmark log <document-class file>\n"
    "       veldmark check <document-class file>\n"
    "       veldmark create-database <directory> <library>\n"
    "       veldmark show <directory> <library>\n";

}  // namespace

int RunVeldmark(const std::vector<std::string>& arguments, ComponentLoader& loader, const CommandStreams& streams,
                std::chrono::system_clock::time_point now) {
    const std::string subcommand = arguments.empty() ? "" : arguments[0];
    const std::size_t operands = arguments.empty() ? 0 : arguments.size() - 1;
    if (subcommand == "release" && operands == 2) {
        return RunRelease({arguments[1], arguments[2], now}, loader, streams);
    }
    if (subcommand == "setup" && operands == 1) return RunSetup(arguments[1], loader, streams);
    if (subcommand == "log" && operands == 1) return RunLog(arguments[1], streams);
    if (subcommand == "check" && operands == 1) return RunCheck(arguments[1], streams);
    if (subcommand == "create-database" && operands == 2) return RunCreateDatabase(arguments[1], arguments[2], streams);
    if (subcommand == "show" && operands == 2) return RunShow(arguments[1], arguments[2], streams);
    if (subcommand == "--help" || subcommand == "help") {
        streams.out << kUsage;
        return kExitSuccess;
    }
    streams.err << kUsage;
    return kExitNothingDone;
}

}  // namespace standin
