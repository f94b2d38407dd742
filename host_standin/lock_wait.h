// Waiting, within a limit, for a lock another process holds: a writer that
// waited for ever, without a word, would hold the release with it.
#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace standin {

// How long the log's writer waits for another writer's lock.
inline constexpr std::chrono::milliseconds kLogLockWait{30000};

enum class LockAttempt { Taken, Held, Failed };

// Tries again while the lock is Held by someone else, until `wait` has
// passed; answers the last attempt.
LockAttempt TryToLock(std::chrono::milliseconds wait, const std::function<LockAttempt()>& attempt);

// "the log is locked by another process (a veldmark still running?) and was
// not let go within 30 seconds"
std::string LockHeldTooLong(std::chrono::milliseconds wait);

}  // namespace standin
