// printf-style formatting of UTF-16 messages: "%s" takes the next text
// argument up to its first NUL, "%d" the next number; "%%" is a percent sign. The arguments are
// checked against the format, so a message can never read past them.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <variant>

#include "host/com.h"

namespace kfx {

using FormatArgument = std::variant<Text, std::int64_t>;

// Throws std::invalid_argument when the arguments do not match the format.
Text FormatText(std::u16string_view format, std::initializer_list<FormatArgument> arguments);

}  // namespace kfx
