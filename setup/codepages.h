// The Windows code page identifiers the General page accepts, and how the
// Codepage box's text is read as a number.
#pragma once

#include <cstdint>

#include "host/com.h"

namespace veldmark {

// Whether the number is one of the 152 Windows code page identifiers.
bool IsWindowsCodepage(std::int64_t number);

// The text read as a base-10 integer after optional white space and a sign;
// 0 when anything follows the number or no digits are found.
std::int64_t ParseCodepageNumber(const kfx::Text& text);

}  // namespace veldmark
