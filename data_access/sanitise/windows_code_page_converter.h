// The code page converter of the Windows build: the platform's own
// (WideCharToMultiByte with composite check and default character, best fit
// left on; MultiByteToWideChar with precomposed characters), so that every
// code page, default character and best fit is the platform's.
#pragma once

#include "data_access/sanitise/code_page_converter.h"

namespace dbAx {

class WindowsCodePageConverter final : public CodePageConverter {
public:
    // A code page the platform refuses with these options is Unusable; the
    // Unicode ones pass text through.
    CodePageUse UseOf(std::uint32_t codePage) override;
    std::string Encode(std::u16string_view text, std::uint32_t codePage,
                       std::optional<std::uint8_t> replacementByte) override;
    kfx::Text Decode(std::string_view bytes, std::uint32_t codePage) override;
    // None: what the platform makes of a character may depend on the
    // characters beside it, so every text is converted whole.
    std::size_t UnchangedStart(std::u16string_view text, std::uint32_t codePage) override;
    std::size_t UnchangedEnd(std::u16string_view text, std::uint32_t codePage) override;
};

}  // namespace dbAx
