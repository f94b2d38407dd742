#include "data_access/provider/session_pool.h"

#include <algorithm>

namespace dbAx::provider {

void SessionPool::TakeUnfit(std::chrono::steady_clock::time_point now, std::vector<Idle>* unfit) {
    for (Idle& idle : idle_) {
        if (now - idle.since >= idleTime_ || !idle.session->Usable()) unfit->push_back(std::move(idle));
    }
    std::erase_if(idle_, [](const Idle& idle) { return !idle.session; });
}

std::unique_ptr<RememberingSession> SessionPool::Take(const SessionKey& key) {
    // Closing a session may wait for its server: never under the lock.
    std::vector<Idle> closing;
    std::lock_guard lock(mutex_);
    TakeUnfit(std::chrono::steady_clock::now(), &closing);
    const auto latest = std::find_if(idle_.rbegin(), idle_.rend(), [&](const Idle& idle) { return idle.key == key; });
    if (latest == idle_.rend()) return nullptr;
    std::unique_ptr<RememberingSession> session = std::move(latest->session);
    idle_.erase(std::next(latest).base());
    session->Taken();
    return session;
}

void SessionPool::GiveBack(const SessionKey& key, std::unique_ptr<RememberingSession> session) {
    std::vector<Idle> closing;
    if (!session || !session->Usable()) return;
    std::lock_guard lock(mutex_);
    const auto now = std::chrono::steady_clock::now();
    TakeUnfit(now, &closing);
    idle_.push_back({key, std::move(session), now});
}

void SessionPool::CloseAll() {
    std::vector<Idle> closing;
    std::lock_guard lock(mutex_);
    closing.swap(idle_);
}

}  // namespace dbAx::provider
