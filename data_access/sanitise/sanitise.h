// Character sanitising: limits a text to the characters of one code page, by
// converting it into the code page and back, before it is written to the
// database.
#pragma once

#include <cstdint>
#include <optional>

#include "data_access/sanitise/code_page_converter.h"
#include "data_access/sanitise/unusable_code_page.h"
#include "host/com.h"

namespace dbAx {

// The text as the code page can hold it: characters the code page holds come
// back unchanged (decomposed ones precomposed), others as their best-fit
// equivalent, else as `replacementChar`, else as the code page's default
// character. `replacementChar` 0 means none; one that the code page cannot
// hold as a single byte is dropped in favour of the default character. A NUL
// stays where it is (the database refuses such a value at assignment rather
// than store what precedes it). Code page 0 returns the text as it is; the
// Unicode code pages pass it through. Any other code page this system cannot
// convert to raises UnusableCodePage: values are never emptied or passed on
// unsanitised silently.
kfx::Text SanitiseText(const kfx::Text& text, std::uint32_t codePage, char16_t replacementChar);
kfx::Text SanitiseText(const kfx::Text& text, std::uint32_t codePage, char16_t replacementChar,
                       CodePageConverter& converter);

// Why sanitising into the code page cannot work, as a message for the user;
// empty when it can (0 included). For checking the settings before anything
// is written: the number is taken as the setting gives it, so a negative one,
// which is no code page, is named as it was set.
std::optional<kfx::Text> CodePageProblem(std::int64_t codePage);
std::optional<kfx::Text> CodePageProblem(std::int64_t codePage, CodePageConverter& converter);

// The process-wide converter that the overloads without one use.
CodePageConverter& DefaultCodePageConverter();

}  // namespace dbAx
