#include "data_access/sanitise/icu_code_page_converter.h"

#include <stdexcept>
#include <string>

#include <unicode/ucnv.h>
#include <unicode/uniset.h>
#include <unicode/uset.h>
#include <unicode/utf16.h>

#include "data_access/sanitise/best_fit.h"
#include "data_access/sanitise/code_page_table.h"
#include "data_access/sanitise/unusable_code_page.h"

namespace dbAx {
namespace {

// Every code page offered holds it as one byte in its initial state
// (0x3F, or 0x6F in EBCDIC), so it decodes to itself and not to a control
// character as ICU's own substitution byte 0x1A would.
constexpr char32_t kDefaultCharacter = U'?';

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

std::runtime_error IcuFailure(const char* operation, std::uint32_t codePage, UErrorCode status) {
    return std::runtime_error(std::string(operation) + " for code page " + std::to_string(codePage) +
                              " failed in ICU: " + u_errorName(status));
}

// Runs an ICU whole-string conversion into a buffer of the estimated size,
// and once more with the size ICU reports when the estimate was short.
template <class Output, class Convert>
Output ConvertWhole(std::size_t estimate, const char* operation, std::uint32_t codePage, Convert convert) {
    Output output(estimate, typename Output::value_type{});
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = convert(output.data(), static_cast<int32_t>(output.size()), status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        output.assign(static_cast<std::size_t>(length), typename Output::value_type{});
        status = U_ZERO_ERROR;
        length = convert(output.data(), static_cast<int32_t>(output.size()), status);
    }
    if (U_FAILURE(status)) throw IcuFailure(operation, codePage, status);
    output.resize(static_cast<std::size_t>(length));
    return output;
}

// ICU reports the repertoire of table-driven converters exactly; for the
// algorithmic ones (ISO-2022, HZ, ISCII) its report includes characters that
// they cannot write or that come back as others.
bool ReportsRepertoireExactly(UConverter* converter) {
    switch (ucnv_getType(converter)) {
        case UCNV_SBCS:
        case UCNV_DBCS:
        case UCNV_MBCS:
        case UCNV_LATIN_1:
        case UCNV_US_ASCII:
        case UCNV_EBCDIC_STATEFUL:
            return true;
        default:
            return false;
    }
}

bool RoundTripsAlone(UConverter* converter, UChar32 c) {
    char16_t text[U16_MAX_LENGTH];
    int32_t length = 0;
    U16_APPEND_UNSAFE(text, length, c);
    char bytes[32];
    char16_t back[8];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t byteCount = ucnv_fromUChars(converter, bytes, sizeof bytes, text, length, &status);
    const int32_t backLength = ucnv_toUChars(converter, back, 8, bytes, byteCount, &status);
    return U_SUCCESS(status) && std::u16string_view(back, static_cast<std::size_t>(backLength)) ==
                                    std::u16string_view(text, static_cast<std::size_t>(length));
}

// The characters that survive a round trip through the converter.
icu::UnicodeSet Repertoire(UConverter* converter, UErrorCode& status) {
    USet* reported = uset_openEmpty();
    ucnv_getUnicodeSet(converter, reported, UCNV_ROUNDTRIP_SET, &status);
    icu::UnicodeSet repertoire(*icu::UnicodeSet::fromUSet(reported));
    uset_close(reported);
    if (U_SUCCESS(status) && !ReportsRepertoireExactly(converter)) {
        icu::UnicodeSet failing;
        for (int32_t range = 0; range < repertoire.getRangeCount(); ++range) {
            for (UChar32 c = repertoire.getRangeStart(range); c <= repertoire.getRangeEnd(range); ++c) {
                if (!RoundTripsAlone(converter, c)) failing.add(c);
            }
        }
        repertoire.removeAll(failing);
    }
    return repertoire;
}

// The characters that sanitising keeps as they are in any text: BestFit
// leaves a held character alone unless combining marks follow it, and a
// table-driven converter encodes each character on its own, so held
// characters other than marks come back as they were, with or without what
// stands beside them. The algorithmic converters work in escapes and shifts
// that ASCII controls can spell, and end each conversion in the state that
// writes printable ASCII as it is: there only printable ASCII is taken. On
// every converter an ASCII character is taken only when its round trip gives
// it back. NUL is left out: the result ends before it.
icu::UnicodeSet KeptUnchanged(UConverter* converter, const icu::UnicodeSet& held, UErrorCode& status) {
    icu::UnicodeSet kept;
    if (ReportsRepertoireExactly(converter)) {
        kept = held;
        kept.removeAll(icu::UnicodeSet(u"[:M:]", status));
    } else {
        kept.add(0x20, 0x7E);
        kept.retainAll(held);
    }
    for (UChar32 c = 0; c < 0x80; ++c) {
        if (kept.contains(c) && !RoundTripsAlone(converter, c)) kept.remove(c);
    }
    kept.remove(0);
    return kept;
}

}  // namespace

struct IcuCodePageConverter::OpenCodePage {
    ConverterPtr converter;
    // The characters that come back unchanged from a round trip; frozen, so
    // that membership tests are fast.
    icu::UnicodeSet held;
    // Those of them that sanitising keeps as they are in any text; frozen too.
    icu::UnicodeSet keptUnchanged;
    // The platform's best fit for the code page, when it has one.
    std::optional<std::span<const PlatformBestFit>> platformFits;
};

IcuCodePageConverter::IcuCodePageConverter() = default;
IcuCodePageConverter::~IcuCodePageConverter() = default;

IcuCodePageConverter::OpenCodePage* IcuCodePageConverter::Open(std::uint32_t codePage) {
    if (lastPage_ != nullptr && lastCodePage_ == codePage) return lastPage_;
    if (const auto known = open_.find(codePage); known != open_.end()) return Remember(codePage, known->second.get());

    std::unique_ptr<OpenCodePage> page;
    if (const IcuCodePage* entry = FindIcuCodePage(codePage)) {
        UErrorCode status = U_ZERO_ERROR;
        ConverterPtr converter(ucnv_open(entry->icuName, &status));
        // Stop rather than substitute: everything handed to ICU has been fitted
        // to the repertoire already, so a failure is a fault to report.
        ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
        ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
        icu::UnicodeSet held = Repertoire(converter.get(), status);
        icu::UnicodeSet kept = KeptUnchanged(converter.get(), held, status);
        if (U_SUCCESS(status) && held.contains(static_cast<UChar32>(kDefaultCharacter))) {
            const auto platformFits = entry->bestFitCodePage != 0 ? PlatformBestFits(entry->bestFitCodePage) : std::nullopt;
            page = std::make_unique<OpenCodePage>(OpenCodePage{std::move(converter), held, kept, platformFits});
            page->held.freeze();
            page->keptUnchanged.freeze();
        }
    }
    return Remember(codePage, open_.emplace(codePage, std::move(page)).first->second.get());
}

IcuCodePageConverter::OpenCodePage* IcuCodePageConverter::Remember(std::uint32_t codePage, OpenCodePage* page) {
    lastCodePage_ = codePage;
    lastPage_ = page;
    return page;
}

// The byte stands for the character it decodes to on its own. Putting that
// character in the text, rather than the byte in the output, lets ICU write it
// in whatever shift state a stateful code page is in at that point.
char32_t IcuCodePageConverter::CharacterOfByte(OpenCodePage& page, std::uint8_t byte, std::uint32_t codePage) {
    const char bytes[] = {static_cast<char>(byte)};
    char16_t decoded[4];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = ucnv_toUChars(page.converter.get(), decoded, 4, bytes, 1, &status);
    int32_t at = 0;
    UChar32 character = 0;
    if (U_SUCCESS(status) && length > 0) U16_NEXT(decoded, at, length, character);
    if (U_FAILURE(status) || length == 0 || at != length || !page.held.contains(character)) {
        throw std::invalid_argument("Byte " + std::to_string(byte) + " is no character of code page " + std::to_string(codePage));
    }
    return static_cast<char32_t>(character);
}

IcuCodePageConverter::OpenCodePage& IcuCodePageConverter::OpenForConversion(std::uint32_t codePage) {
    OpenCodePage* page = Open(codePage);
    if (page == nullptr) throw UnusableCodePage(codePage);
    return *page;
}

CodePageUse IcuCodePageConverter::UseOf(std::uint32_t codePage) {
    if (IsUnicodeCodePage(codePage)) return CodePageUse::PassThrough;
    std::lock_guard lock(mutex_);
    return Open(codePage) != nullptr ? CodePageUse::Convert : CodePageUse::Unusable;
}

std::string IcuCodePageConverter::Encode(std::u16string_view text, std::uint32_t codePage,
                                         std::optional<std::uint8_t> replacementByte) {
    std::lock_guard lock(mutex_);
    OpenCodePage& page = OpenForConversion(codePage);
    UConverter* converter = page.converter.get();

    const char32_t substitute = replacementByte ? CharacterOfByte(page, *replacementByte, codePage) : kDefaultCharacter;
    const kfx::Text fitted = BestFit(text, page.held, substitute, page.platformFits);
    const auto estimate = static_cast<std::size_t>(
        UCNV_GET_MAX_BYTES_FOR_STRING(static_cast<int32_t>(fitted.size()), ucnv_getMaxCharSize(converter)));
    return ConvertWhole<std::string>(estimate, "Encoding", codePage,
        [&](char* out, int32_t capacity, UErrorCode& status) {
            return ucnv_fromUChars(converter, out, capacity, fitted.data(), static_cast<int32_t>(fitted.size()), &status);
        });
}

kfx::Text IcuCodePageConverter::Decode(std::string_view bytes, std::uint32_t codePage) {
    std::lock_guard lock(mutex_);
    UConverter* converter = OpenForConversion(codePage).converter.get();
    // One byte gives at most a surrogate pair; the retry covers the rare longer mapping.
    return ConvertWhole<kfx::Text>(2 * bytes.size() + 2, "Decoding", codePage,
        [&](char16_t* out, int32_t capacity, UErrorCode& status) {
            return ucnv_toUChars(converter, out, capacity, bytes.data(), static_cast<int32_t>(bytes.size()), &status);
        });
}

// A character that sanitising keeps in any text stays as it is unless the
// next one is not such a character: that may be a combining mark joining it.
std::size_t IcuCodePageConverter::UnchangedStart(std::u16string_view text, std::uint32_t codePage) {
    std::lock_guard lock(mutex_);
    const char16_t* units = text.data();
    const auto length = static_cast<int32_t>(text.size());
    int32_t unchanged = OpenForConversion(codePage).keptUnchanged.span(units, length, USET_SPAN_CONTAINED);
    if (unchanged > 0 && unchanged < length) U16_BACK_1(units, 0, unchanged);
    return static_cast<std::size_t>(unchanged);
}

// The first character of the end is no combining mark: nothing before it joins it.
std::size_t IcuCodePageConverter::UnchangedEnd(std::u16string_view text, std::uint32_t codePage) {
    std::lock_guard lock(mutex_);
    const auto length = static_cast<int32_t>(text.size());
    return static_cast<std::size_t>(length - OpenForConversion(codePage).keptUnchanged.spanBack(text.data(), length, USET_SPAN_CONTAINED));
}

}  // namespace dbAx
