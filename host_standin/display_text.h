// Text that came from a file, a database or a component, made safe to show
// on a terminal and short enough to quote in a message.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace standin {

// How many characters of an offending key or value a message quotes.
inline constexpr std::size_t kExcerptLength = 40;

// The text on one line with nothing a terminal would act on: line breaks and
// tabs as \n, \r, \t; other control characters and every byte that is not
// part of valid UTF-8 as \xNN (\x1b, \xff); C1 controls, line and paragraph
// separators and bidirectional controls as \uNNNN (\u0085, \u202e).
std::string DisplayText(std::string_view utf8);

// DisplayText of at most the first kExcerptLength characters, followed by
// "…" when there were more.
std::string Excerpt(std::string_view utf8);

}  // namespace standin
