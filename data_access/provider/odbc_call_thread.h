// Runs the calls of one ODBC connection that wait for the server on a thread
// of their own, and waits for each at most a time limit.
//
// Nothing in the driver ends a call to a server whose processes are stopped
// (measured with psqlODBC: its query timeout is the server's
// statement_timeout, and SQLCancel itself waits for the stopped server), so
// the caller gives up instead: the call goes on alone, and this thread runs
// nothing more. A call therefore shares ownership of everything it touches;
// whatever it shares is released when it returns, however late, and then the
// thread ends.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <type_traits>

namespace dbAx::provider {

class OdbcCallThread {
public:
    OdbcCallThread();
    // Waits for the thread, unless a call was given up: that one's thread is
    // left to end when its call returns.
    ~OdbcCallThread();
    OdbcCallThread(const OdbcCallThread&) = delete;
    OdbcCallThread& operator=(const OdbcCallThread&) = delete;

    // The call's result, or nullopt when it did not return within limit.
    // After that every later Run returns nullopt at once.
    template <typename Call>
    std::optional<std::invoke_result_t<Call&>> Run(Call call, std::chrono::milliseconds limit) {
        auto result = std::make_shared<std::optional<std::invoke_result_t<Call&>>>();
        if (!RunWithin([result, call = std::move(call)]() mutable { *result = call(); }, limit)) return std::nullopt;
        return std::move(*result);
    }

    bool GaveUp() const { return gaveUp_; }

private:
    struct Shared;

    bool RunWithin(std::function<void()> call, std::chrono::milliseconds limit);

    std::shared_ptr<Shared> shared_;
    std::thread thread_;
    bool gaveUp_ = false;
};

}  // namespace dbAx::provider
