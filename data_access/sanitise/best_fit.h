// Composite check and best fit: turns a text into one whose every character a
// code page holds, before it is encoded. Works on the code page's repertoire
// (the characters that survive a round trip through it), so the encoder
// never meets a character it cannot write, stateful code pages included.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include <unicode/uniset.h>

#include "data_access/sanitise/platform_best_fit_tables.h"
#include "host/com.h"

namespace dbAx {

// Every character the repertoire holds stays as it is. A base character
// followed by combining marks becomes its precomposed form when the
// repertoire has one (or another canonically equal form it holds); failing
// that, base and marks are replaced together by `substitute`. A single
// character the repertoire lacks takes what the platform's best fit gives it,
// when `platformFits` are given and the repertoire holds that; else
// `substitute`. Without them (code pages the platform has no table for) it
// takes a look-alike: the letter without the diacritic the repertoire lacks,
// the compatibility form (full-width letters, non-breaking spaces), or an
// entry of a small table (ł, ø, đ, ħ, typographic quotes and dashes); else
// `substitute`. `held` must be frozen and must hold `substitute`.
kfx::Text BestFit(std::u16string_view text, const icu::UnicodeSet& held, char32_t substitute,
                  std::optional<std::span<const PlatformBestFit>> platformFits);

}  // namespace dbAx
