#include "data_access/sanitise/sanitise.h"

#include <limits>


namespace dbAx {
namespace {

// The replacement character encoded alone, with the same options as the
// text; only a single byte can stand in for a lacking character.
std::optional<std::uint8_t> ReplacementByte(CodePageConverter& converter, std::uint32_t codePage, char16_t replacementChar) {
    if (replacementChar == 0) return std::nullopt;
    const std::string bytes = converter.Encode(std::u16string_view(&replacementChar, 1), codePage, std::nullopt);
    if (bytes.size() != 1) return std::nullopt;
    return static_cast<std::uint8_t>(bytes.front());
}

}  // namespace

kfx::Text SanitiseText(const kfx::Text& text, std::uint32_t codePage, char16_t replacementChar) {
    return SanitiseText(text, codePage, replacementChar, DefaultCodePageConverter());
}

kfx::Text SanitiseText(const kfx::Text& text, std::uint32_t codePage, char16_t replacementChar,
                       CodePageConverter& converter) {
    if (codePage == 0) return text;
    switch (converter.UseOf(codePage)) {
        case CodePageUse::Unusable:
            throw UnusableCodePage(codePage);
        case CodePageUse::PassThrough:
            return text;
        case CodePageUse::Convert:
            break;
    }
    // Most values are plain text the code page holds, or have a few characters
    // that it lacks: only what may change is converted.
    const std::u16string_view whole = text;
    const std::size_t start = converter.UnchangedStart(whole, codePage);
    if (start == whole.size()) return text;
    const std::u16string_view rest = whole.substr(start);
    const std::u16string_view changing = rest.substr(0, rest.size() - converter.UnchangedEnd(rest, codePage));
    const auto replacementByte = ReplacementByte(converter, codePage, replacementChar);
    const kfx::Text converted = converter.Decode(converter.Encode(changing, codePage, replacementByte), codePage);
    const std::u16string_view end = rest.substr(changing.size());
    kfx::Text sanitised;
    sanitised.reserve(start + converted.size() + end.size());
    sanitised.append(whole.substr(0, start)).append(converted).append(end);
    return sanitised;
}

std::optional<kfx::Text> CodePageProblem(std::int64_t codePage) {
    return CodePageProblem(codePage, DefaultCodePageConverter());
}

std::optional<kfx::Text> CodePageProblem(std::int64_t codePage, CodePageConverter& converter) {
    if (codePage == 0) return std::nullopt;
    const bool anyCodePage = codePage > 0 && codePage <= std::numeric_limits<std::uint32_t>::max();
    if (anyCodePage && converter.UseOf(static_cast<std::uint32_t>(codePage)) != CodePageUse::Unusable) {
        return std::nullopt;
    }
    return UnusableCodePageMessage(codePage);
}

}  // namespace dbAx
