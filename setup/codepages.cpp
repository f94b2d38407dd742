#include "setup/codepages.h"

#include <algorithm>
#include <limits>

#include "model/windows_code_pages.h"

namespace veldmark {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

}  // namespace

bool IsWindowsCodepage(std::int64_t number) {
    const std::span<const std::int32_t> codepages = WindowsCodePageIdentifiers();
    return std::binary_search(codepages.begin(), codepages.end(), number,
                              [](std::int64_t a, std::int64_t b) { return a < b; });
}

std::int64_t ParseCodepageNumber(const kfx::Text& text) {
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) negative = text[at++] == u'-';

    const std::size_t firstDigit = at;
    // Saturates instead of overflowing: any number this large is no code page.
    constexpr std::int64_t kCeiling = std::numeric_limits<std::int32_t>::max();
    std::int64_t number = 0;
    while (at < text.size() && text[at] >= u'0' && text[at] <= u'9') {
        number = std::min<std::int64_t>(number * 10 + (text[at] - u'0'), kCeiling);
        ++at;
    }
    if (at == firstDigit || at != text.size()) return 0;
    return negative ? -number : number;
}

}  // namespace veldmark
