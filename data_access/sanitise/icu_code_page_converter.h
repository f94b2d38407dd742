// The code page converter on ICU, for the Windows code page numbers of
// code_page_table. Each code page is opened on first use and kept with its
// repertoire: opening and collecting the repertoire cost far more than a
// conversion, and sanitising runs for every value of every invoice. So is
// the set of characters that sanitising leaves as they are in any text,
// which spares most values any conversion and the others all of it but the
// part that changes. ICU
// converters must not be used by two threads at once, so conversions are
// serialised; one thread at a time is what the host does anyway.
#pragma once

#include <memory>
#include <mutex>
#include <unordered_map>

#include "data_access/sanitise/code_page_converter.h"

namespace dbAx {

class IcuCodePageConverter final : public CodePageConverter {
public:
    IcuCodePageConverter();
    ~IcuCodePageConverter() override;
    IcuCodePageConverter(const IcuCodePageConverter&) = delete;
    IcuCodePageConverter& operator=(const IcuCodePageConverter&) = delete;

    CodePageUse UseOf(std::uint32_t codePage) override;
    std::string Encode(std::u16string_view text, std::uint32_t codePage,
                       std::optional<std::uint8_t> replacementByte) override;
    kfx::Text Decode(std::string_view bytes, std::uint32_t codePage) override;
    std::size_t UnchangedStart(std::u16string_view text, std::uint32_t codePage) override;
    std::size_t UnchangedEnd(std::u16string_view text, std::uint32_t codePage) override;

private:
    struct OpenCodePage;

    // Null when ICU cannot open the code page's converter; remembered too.
    OpenCodePage* Open(std::uint32_t codePage);
    OpenCodePage& OpenForConversion(std::uint32_t codePage);
    OpenCodePage* Remember(std::uint32_t codePage, OpenCodePage* page);
    static char32_t CharacterOfByte(OpenCodePage& page, std::uint8_t byte, std::uint32_t codePage);

    std::mutex mutex_;
    std::unordered_map<std::uint32_t, std::unique_ptr<OpenCodePage>> open_;
    // A release uses one code page for all its values: spares the map lookup.
    std::uint32_t lastCodePage_ = 0;
    OpenCodePage* lastPage_ = nullptr;
};

}  // namespace dbAx
