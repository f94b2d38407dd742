// Code points of UTF-16 texts.
#pragma once

#include <cstddef>
#include <string_view>

namespace kfx {

constexpr bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// The code point that starts at `index`, which moves past it: a surrogate
// pair is one code point; an unpaired surrogate comes back as itself, for the
// caller to judge. `index` must be inside the text.
char32_t NextCodePoint(std::u16string_view text, std::size_t& index);

}  // namespace kfx
