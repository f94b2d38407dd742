#include "host/windows_api.h"

#include <atomic>

#include "tools/stop_request.h"

namespace standin {
namespace {

std::atomic<DWORD> requested{0};
std::atomic<bool> seen{false};

BOOL WINAPI OnConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
    // Asked twice: the default handler, which ends the process.
    if (seen.exchange(true)) return FALSE;
    requested = event + 1;
    return TRUE;
}

}  // namespace

void WatchForStopRequests() { SetConsoleCtrlHandler(OnConsoleControl, TRUE); }

std::optional<std::string> StopRequested() {
    switch (requested.load()) {
        case 0: return std::nullopt;
        case CTRL_C_EVENT + 1: return "Ctrl-C";
        case CTRL_BREAK_EVENT + 1: return "Ctrl-Break";
        default: return "the console closing";
    }
}

}  // namespace standin
