// The veldmark command: the stand-in capture host with the component linked in.
#include <chrono>
#include <cstdio>
#include <iostream>
#include <optional>

#include "data_access/ax_exception.h"
#include "data_access/ax_library.h"
#include "host/utf8.h"
#include "release/create_release_script.h"
#include "setup/create_setup_script.h"
#include "tools/command_line.h"
#include "tools/in_process_loader.h"
#include "tools/terminal.h"

namespace {

// What loading and unloading the component does: start and stop its data
// access library, and let go of the release data it still holds.
class LoadedComponent {
public:
    LoadedComponent() { dbAx::AxLibInit(); }
    ~LoadedComponent() {
        veldmark::ReleaseCurrentReleaseData();
        try {
            dbAx::AxLibClose();
        } catch (const dbAx::CAxException&) {
            // Unloading goes on whatever closing left behind.
        }
    }
    LoadedComponent(const LoadedComponent&) = delete;
    LoadedComponent& operator=(const LoadedComponent&) = delete;
};

}  // namespace

int main(int argc, char** argv) {
    std::optional<LoadedComponent> component;
    try {
        component.emplace();
    } catch (const dbAx::CAxException& error) {
        std::cerr << "veldmark: the component cannot start: " << kfx::ToUtf8(error.description) << "\n";
        return 2;
    }
    standin::InProcessLoader loader({{standin::kReleaseScriptProgId, veldmark::CreateReleaseScript},
                                     {standin::kSetupScriptProgId, veldmark::CreateSetupScript}});
    const standin::CommandStreams streams{std::cout, std::cerr, standin::IsTerminal(stderr)};
    return standin::RunVeldmark({argv + 1, argv + argc}, loader, streams, std::chrono::system_clock::now());
}
