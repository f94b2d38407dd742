#include <signal.h>

#include <csignal>

#include "tools/stop_request.h"

namespace standin {
namespace {

volatile std::sig_atomic_t requested = 0;  // the first request's signal

extern "C" void OnStopSignal(int signal) {
    if (requested != 0) {
        // Asked twice: the default action, which ends the process.
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    requested = signal;
}

constexpr int kStopSignals[] = {SIGTERM, SIGHUP, SIGINT};

}  // namespace

void WatchForStopRequests() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    // Calls under way go on: the document in progress is finished.
    action.sa_flags = SA_RESTART;
    for (const int signal : kStopSignals) sigaction(signal, &action, nullptr);
}

std::optional<std::string> StopRequested() {
    switch (requested) {
        case 0: return std::nullopt;
        case SIGTERM: return "SIGTERM";
        case SIGHUP: return "SIGHUP";
        default: return "SIGINT";
    }
}

}  // namespace standin
