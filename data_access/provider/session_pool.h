// Sessions given back by closed connections, kept for the next connection
// to the same data source with the same user and password, as the
// platform's database access objects pool theirs: a document opens and
// closes its connection, and the session beneath it lives on.
//
// A session is held by one connection at a time: taking it removes it from
// the pool. One is given back only while it can serve another connection
// (Session::Usable). Whenever the pool is used, every session in it is
// checked, and those no longer usable or idle longer than the pool's idle
// time are closed: so a library file replaced is let go by every session
// before any opens the new one. The pool is guarded for use from several
// threads.
#pragma once

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "data_access/provider/remembering_session.h"

namespace dbAx::provider {

// How long a given-back session waits for its next connection.
inline constexpr std::chrono::seconds kPooledSessionIdleTime{60};

struct SessionKey {
    std::string dataSource;  // the connection text's data source
    std::string user;
    std::string password;
    bool operator==(const SessionKey&) const = default;
};

class SessionPool {
public:
    explicit SessionPool(std::chrono::steady_clock::duration idleTime = kPooledSessionIdleTime)
        : idleTime_(idleTime) {}
    ~SessionPool() { CloseAll(); }
    SessionPool(const SessionPool&) = delete;
    SessionPool& operator=(const SessionPool&) = delete;

    // The session given back last for the key that is still usable; null when there is none.
    std::unique_ptr<RememberingSession> Take(const SessionKey& key);
    // Keeps the session for the key when it is usable; closes it otherwise.
    void GiveBack(const SessionKey& key, std::unique_ptr<RememberingSession> session);
    // Closes every session kept.
    void CloseAll();

private:
    struct Idle {
        SessionKey key;
        std::unique_ptr<RememberingSession> session;
        std::chrono::steady_clock::time_point since;
    };

    // Moves the sessions idle too long or no longer usable out of the pool,
    // for closing without the lock.
    void TakeUnfit(std::chrono::steady_clock::time_point now, std::vector<Idle>* unfit);

    const std::chrono::steady_clock::duration idleTime_;
    std::mutex mutex_;
    std::vector<Idle> idle_;  // oldest first
};

}  // namespace dbAx::provider
