#include "data_access/provider/odbc_call_thread.h"

#include <condition_variable>
#include <mutex>

#include "data_access/provider/loaded_code.h"

namespace dbAx::provider {

struct OdbcCallThread::Shared {
    std::mutex mutex;
    std::condition_variable changed;
    std::function<void()> call;  // waiting to run
    bool done = false;           // the last call returned
    bool stop = false;
};

OdbcCallThread::OdbcCallThread() : shared_(std::make_shared<Shared>()) {
    thread_ = std::thread([shared = shared_] {
        for (;;) {
            std::function<void()> call;
            {
                std::unique_lock lock(shared->mutex);
                shared->changed.wait(lock, [&] { return shared->stop || shared->call; });
                if (!shared->call) return;
                call = std::move(shared->call);
                shared->call = nullptr;
            }
            call();
            // What the call shares goes before it is reported done: a caller
            // that gave up may have left it the last owner.
            call = nullptr;
            {
                std::lock_guard lock(shared->mutex);
                shared->done = true;
            }
            shared->changed.notify_all();
        }
    });
}

OdbcCallThread::~OdbcCallThread() {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->stop = true;
    }
    shared_->changed.notify_all();
    if (gaveUp_) {
        thread_.detach();
    } else {
        thread_.join();
    }
}

bool OdbcCallThread::RunWithin(std::function<void()> call, std::chrono::milliseconds limit) {
    if (gaveUp_) return false;
    std::unique_lock lock(shared_->mutex);
    shared_->call = std::move(call);
    shared_->done = false;
    shared_->changed.notify_all();
    if (shared_->changed.wait_for(lock, limit, [&] { return shared_->done; })) return true;
    gaveUp_ = true;
    KeepThisCodeLoaded();
    return false;
}

}  // namespace dbAx::provider
