#include "host_standin/lock_wait.h"

#include <cstdio>
#include <string>
#include <thread>

namespace standin {

LockAttempt TryToLock(std::chrono::milliseconds wait, const std::function<LockAttempt()>& attempt) {
    const auto giveUpAt = std::chrono::steady_clock::now() + wait;
    for (;;) {
        const LockAttempt result = attempt();
        if (result != LockAttempt::Held || std::chrono::steady_clock::now() >= giveUpAt) return result;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::string LockHeldTooLong(std::chrono::milliseconds wait) {
    const auto seconds = std::chrono::duration_cast<std::chrono::duration<double>>(wait).count();
    char text[32];
    std::snprintf(text, sizeof text, "%g", seconds);
    return std::string("the log is locked by another process (a veldmark still running?) and was not let go within ") +
           text + (seconds == 1 ? " second" : " seconds");
}

}  // namespace standin
