// Conversion of texts into a code page and back, as sanitising needs it. An
// interface of our own so that the conversion library stays replaceable (ICU
// here; the platform's own converter on Windows).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "host/com.h"

namespace dbAx {

enum class CodePageUse {
    Convert,      // converted into the code page and back
    PassThrough,  // a Unicode transformation format: every character fits
    Unusable,     // no converter for this number
};

class CodePageConverter {
public:
    virtual ~CodePageConverter() = default;

    virtual CodePageUse UseOf(std::uint32_t codePage) = 0;

    // The text in the code page's bytes. A decomposed character becomes its
    // precomposed form where the code page has one; a character the code page
    // lacks takes its best-fit equivalent, else `replacementByte`, else the
    // code page's default character. Only for code pages to Convert; others
    // raise UnusableCodePage.
    virtual std::string Encode(std::u16string_view text, std::uint32_t codePage,
                               std::optional<std::uint8_t> replacementByte) = 0;

    // Bytes that Encode produced, back into text.
    virtual kfx::Text Decode(std::string_view bytes, std::uint32_t codePage) = 0;

    // Sanitising converts only the part of a text that may change: the units
    // at its start and at its end that it gives back as they are, whatever
    // the replacement and whatever lies beside them, are kept (none when
    // unsure; never a NUL). Only for code pages to Convert; others raise
    // UnusableCodePage.
    virtual std::size_t UnchangedStart(std::u16string_view text, std::uint32_t codePage) = 0;
    virtual std::size_t UnchangedEnd(std::u16string_view text, std::uint32_t codePage) = 0;
};

}  // namespace dbAx
