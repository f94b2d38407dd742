#include "host_standin/display_text.h"

#include <cstdint>
#include <cstdio>

namespace standin {
namespace {

// One character of the text: a code point of valid UTF-8 or a single byte
// that is not.
struct Character {
    std::size_t size;  // bytes it takes in the text
    bool valid;
    std::uint32_t codePoint;
};

Character NextCharacter(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) return {1, true, lead};
    std::size_t size = 0;
    std::uint32_t codePoint = 0;
    std::uint32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        size = 2, codePoint = lead & 0x1F, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        size = 3, codePoint = lead & 0x0F, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        size = 4, codePoint = lead & 0x07, smallest = 0x10000;
    } else {
        return {1, false, 0};
    }
    if (at + size > text.size()) return {1, false, 0};
    for (std::size_t i = 1; i < size; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return {1, false, 0};
        codePoint = (codePoint << 6) | (byte(at + i) & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < smallest || surrogate || codePoint > 0x10FFFF) return {1, false, 0};
    return {size, true, codePoint};
}

bool NeedsUnicodeEscape(std::uint32_t codePoint) {
    return (codePoint >= 0x80 && codePoint <= 0x9F) || codePoint == 0x2028 || codePoint == 0x2029 ||
           (codePoint >= 0x202A && codePoint <= 0x202E) || (codePoint >= 0x2066 && codePoint <= 0x2069);
}

void AppendShown(std::string_view text, std::size_t at, const Character& character, std::string& shown) {
    char escape[8];
    if (!character.valid) {
        std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned char>(text[at]));
        shown += escape;
    } else if (character.codePoint == '\n') {
        shown += "\\n";
    } else if (character.codePoint == '\r') {
        shown += "\\r";
    } else if (character.codePoint == '\t') {
        shown += "\\t";
    } else if (character.codePoint < 0x20 || character.codePoint == 0x7F) {
        std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned>(character.codePoint));
        shown += escape;
    } else if (NeedsUnicodeEscape(character.codePoint)) {
        std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(character.codePoint));
        shown += escape;
    } else {
        shown.append(text.substr(at, character.size));
    }
}

std::string Shown(std::string_view text, std::size_t mostCharacters) {
    std::string shown;
    std::size_t at = 0;
    for (std::size_t count = 0; at < text.size() && count < mostCharacters; ++count) {
        const Character character = NextCharacter(text, at);
        AppendShown(text, at, character, shown);
        at += character.size;
    }
    if (at < text.size()) shown += "…";
    return shown;
}

}  // namespace

std::string DisplayText(std::string_view utf8) { return Shown(utf8, utf8.size()); }

std::string Excerpt(std::string_view utf8) { return Shown(utf8, kExcerptLength); }

}  // namespace standin
