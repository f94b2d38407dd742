#include "host/utf16.h"

namespace kfx {
namespace {

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

char32_t NextCodePoint(std::u16string_view text, std::size_t& index) {
    const char32_t c = text[index++];
    if (IsHighSurrogate(c) && index < text.size() && IsLowSurrogate(text[index])) {
        return 0x10000 + ((c - 0xD800) << 10) + (text[index++] - 0xDC00);
    }
    return c;
}

}  // namespace kfx
