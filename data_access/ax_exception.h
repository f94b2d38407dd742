// The one error type of the dbAx layer, and the operation that composes and
// raises it.
#pragma once

#include <cstdint>

#include "host/com.h"

namespace dbAx {

using kfx::HRESULT;
using kfx::Text;

enum AxErrorCode : std::int32_t {
    AxPlatformError = 0,
    AxInitFailed = 5001,
    AxFieldNotFound = 5002,
    AxNotOpen = 5003,
    AxBufferTooSmall = 5004,
    AxBadPointer = 5005,
    AxBadEnumeration = 5006,
    AxBadPosition = 5007,
    AxFieldAssignment = 5008,
    AxCloseFailed = 5009,
};

class CAxException {
public:
    std::int32_t code = 0;
    Text description;
    HRESULT result = 0;
};

// Composes the description for the code (folding in the platform's error
// records for code 0) and throws it. An empty source means none.
[[noreturn]] void RaiseAxError(std::int32_t code, const Text& source, HRESULT result);

}  // namespace dbAx
