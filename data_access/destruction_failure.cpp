#include "data_access/destruction_failure.h"

#include <cstdio>
#include <mutex>

#include "host/utf8.h"

namespace dbAx {
namespace {

std::mutex handlerMutex;
DestructionFailureHandler& Handler() {
    static DestructionFailureHandler handler;
    return handler;
}

}  // namespace

DestructionFailureHandler SetDestructionFailureHandler(DestructionFailureHandler handler) {
    std::lock_guard lock(handlerMutex);
    std::swap(Handler(), handler);
    return handler;
}

void ReportDestructionFailure(const CAxException& error) noexcept {
    try {
        DestructionFailureHandler handler;
        {
            std::lock_guard lock(handlerMutex);
            handler = Handler();
        }
        if (handler) {
            handler(error);
            return;
        }
        std::fprintf(stderr, "dbAx: failure while closing a database object: %s\n",
                     kfx::ToUtf8(error.description).c_str());
    } catch (...) {
        // Nothing more can be done from a destructor.
    }
}

}  // namespace dbAx
