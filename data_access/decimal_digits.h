// Decimal digits in any script, for the digit test of decimal fields: a
// captured amount may be written in full-width or Arabic-Indic digits, and
// each of them takes a digit's place in the column.
#pragma once

#include <cstddef>
#include <string_view>

namespace dbAx {

// Whether the code point is a decimal digit (Unicode general category Nd).
bool IsDecimalDigit(char32_t codePoint);

// The decimal digits of a UTF-16 text; a surrogate pair is one code point,
// an unpaired surrogate is no digit.
std::size_t CountDecimalDigits(std::u16string_view text);

}  // namespace dbAx
