// The platform's message table: the system's own text for a result code.
#pragma once

#include <optional>

#include "host/com.h"

namespace dbAx {

// The message as the table holds it, line end included; none when the table
// has no message for the code.
std::optional<kfx::Text> SystemMessage(kfx::HRESULT result);

}  // namespace dbAx
