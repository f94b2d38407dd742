// Names compared as the databases compare them when case is ignored: ASCII
// letters only, whatever the locale.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace dbAx::provider {

inline char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

inline std::string AsciiUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = AsciiUpper(c);
    return upper;
}

inline bool EqualIgnoringAsciiCase(std::string_view left, std::string_view right) {
    return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                      [](char a, char b) { return AsciiUpper(a) == AsciiUpper(b); });
}

}  // namespace dbAx::provider
