// The message of the StoreError an action throws, for tests that compare it
// whole.
#pragma once

#include <functional>
#include <string>

#include "host_standin/store_error.h"

namespace standin {

inline constexpr const char* kNoRefusal = "(no refusal)";

// kNoRefusal when the action throws none.
inline std::string StoreRefusal(const std::function<void()>& action) {
    try {
        action();
    } catch (const StoreError& error) {
        return error.what();
    }
    return kNoRefusal;
}

}  // namespace standin
