// Conversion between the UTF-16 texts of the interfaces and UTF-8 for files,
// terminals and libraries that speak it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "host/com.h"

namespace kfx {

// Unpaired surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view text);
// Nothing when the text holds an unpaired surrogate, which has no UTF-8 form:
// for names that must not silently become other names (file paths).
std::optional<std::string> StrictUtf8(std::u16string_view text);
// Malformed sequences become U+FFFD.
Text FromUtf8(std::string_view text);

}  // namespace kfx
