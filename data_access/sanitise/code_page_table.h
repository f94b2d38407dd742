// Which Windows code page numbers this system can sanitise to, and with which
// ICU converter. The numbers are the ones the settings store; ICU names its
// converters differently, so the link is kept in one explicit table rather
// than guessed from ICU's alias list (which maps some numbers wrongly, e.g.
// "cp1200" to big-endian UTF-16).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace dbAx {

struct IcuCodePage {
    std::uint32_t codePage;
    // The converter's canonical ICU name, so that no alias resolution is involved.
    const char* icuName;
    // The code page whose platform best fit applies (platform_best_fit_tables):
    // its own, or for a code page the platform reference lacks, the one with the
    // same repertoire or of the same family (the platform's EBCDIC pages share
    // one best fit). 0 for the algorithmic converters, which keep our own.
    std::uint32_t bestFitCodePage;
};

// Every code page converted through ICU, ascending by number.
std::span<const IcuCodePage> IcuCodePages();

// The table's entry for a Windows code page; null when the table has none.
const IcuCodePage* FindIcuCodePage(std::uint32_t codePage);

// The ICU converter for a Windows code page; empty when the table has none.
std::optional<std::string_view> IcuConverterName(std::uint32_t codePage);

// UTF-16, UTF-32, UTF-7 and UTF-8 hold every character, so text passes through.
bool IsUnicodeCodePage(std::uint32_t codePage);

}  // namespace dbAx
