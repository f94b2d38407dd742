#include "tools/command_line.h"

#include "tools/check_command.h"
#include "tools/database_commands.h"
#include "tools/log_command.h"
#include "tools/release_command.h"
#include "tools/setup_command.h"

namespace standin {
namespace {

constexpr const char* kUsage =
    "usage: veldmark release [--again] [--release-in-doubt] <document-class file> <batch file>\n"
    "       veldmark setup <document-class file>\n"
    "       veldmark log <document-class file>\n"
    "       veldmark check <document-class file>\n"
    "       veldmark create-database <directory> <library>\n"
    "       veldmark show <directory> <library>\n"
    "release skips the documents that earlier runs of the batch released;\n"
    "  --again             releases every document of the batch again\n"
    "  --release-in-doubt  releases documents an earlier run left lines of but no header\n";

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
    if (subcommand == "--help" || subcommand == "help") {
        streams.out << kUsage;
        return kExitSuccess;
    }
    streams.err << kUsage;
    return kExitNothingDone;
}

}  // namespace standin
