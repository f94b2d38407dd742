// The veldmark command: the stand-in capture host. It finds the component
// through the registry and loads it from its library, as the real host does.
#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data_access/ax_exception.h"
#include "data_access/ax_library.h"
#include "host/utf8.h"
#include "tools/command_line.h"
#include "tools/component_access.h"
#include "tools/terminal.h"

namespace {

// Registration is the host's own business and is settled before any
// component is loaded; anything else goes to the common commands.
std::optional<int> RunRegistration(const std::vector<std::string>& arguments, const standin::CommandStreams& streams) {
    if (arguments.empty()) return std::nullopt;
    if (arguments[0] == "register" && arguments.size() == 2) return standin::RunRegister(arguments[1], streams);
    if (arguments[0] == "unregister" && arguments.size() <= 2)
        return standin::RunUnregister(
            arguments.size() == 2 ? std::optional<std::filesystem::path>(arguments[1]) : std::nullopt, streams);
    if (arguments[0] == "register" || arguments[0] == "unregister") {
        streams.err << standin::UsageOf(arguments[0]);
        return standin::kExitNothingDone;
    }
    return std::nullopt;
}

// The host's own use of the data access library (the pre-flight check
// connects to the database itself); the component starts its own copy when
// it is loaded.
class HostDataAccess {
public:
    HostDataAccess() { dbAx::AxLibInit(); }
    ~HostDataAccess() {
        try {
            dbAx::AxLibClose();
        } catch (const dbAx::CAxException&) {
            // Ending the command goes on whatever closing left behind.
        }
    }
    HostDataAccess(const HostDataAccess&) = delete;
    HostDataAccess& operator=(const HostDataAccess&) = delete;
};

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const standin::CommandStreams streams{std::cout, std::cerr, standin::IsTerminal(stderr)};
    // Help and the versions need neither the registry nor the data access library.
    if (auto answered = standin::AnswerHelpOrVersion(arguments, streams)) return *answered;
    if (auto status = RunRegistration(arguments, streams)) return *status;
    std::optional<HostDataAccess> dataAccess;
    try {
        dataAccess.emplace();
    } catch (const dbAx::CAxException& error) {
        std::cerr << "veldmark: the data access library cannot start: " << kfx::ToUtf8(error.description) << "\n";
        return standin::kExitNothingDone;
    }
    const std::unique_ptr<standin::ComponentLoader> loader = standin::OpenComponentLoader(std::cerr);
    if (!loader) return standin::kExitNothingDone;
    return standin::RunVeldmark(arguments, *loader, streams, std::chrono::system_clock::now());
}
