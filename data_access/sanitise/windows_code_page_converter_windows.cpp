#include "host/windows_api.h"

#include <climits>
#include <stdexcept>

#include "data_access/sanitise/code_page_table.h"
#include "data_access/sanitise/unusable_code_page.h"
#include "data_access/sanitise/windows_code_page_converter.h"

namespace dbAx {
namespace {

constexpr DWORD kCompositeCheckDefaultChar = WC_COMPOSITECHECK | WC_DEFAULTCHAR;

int CheckedLength(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX)) throw std::length_error("text too long to sanitise");
    return static_cast<int>(size);
}

void RefuseUnusable(WindowsCodePageConverter& converter, std::uint32_t codePage) {
    if (converter.UseOf(codePage) != CodePageUse::Convert) throw UnusableCodePage(codePage);
}

}  // namespace

CodePageUse WindowsCodePageConverter::UseOf(std::uint32_t codePage) {
    if (IsUnicodeCodePage(codePage)) return CodePageUse::PassThrough;
    // The platform's own answer: it converts into the code page with exactly
    // the options sanitising uses, or it does not.
    const wchar_t probe = L'A';
    const bool converts = IsValidCodePage(codePage) &&
                          WideCharToMultiByte(codePage, kCompositeCheckDefaultChar, &probe, 1, nullptr, 0, nullptr,
                                              nullptr) > 0;
    return converts ? CodePageUse::Convert : CodePageUse::Unusable;
}

std::string WindowsCodePageConverter::Encode(std::u16string_view text, std::uint32_t codePage,
                                             std::optional<std::uint8_t> replacementByte) {
    RefuseUnusable(*this, codePage);
    if (text.empty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = CheckedLength(text.size());
    const char defaultChar[2] = {static_cast<char>(replacementByte.value_or(0)), 0};
    const char* useDefault = replacementByte ? defaultChar : nullptr;
    const int size = WideCharToMultiByte(codePage, kCompositeCheckDefaultChar, wide, length, nullptr, 0, useDefault,
                                         nullptr);
    if (size <= 0) throw std::runtime_error("the platform converter refused a text for code page " +
                                            std::to_string(codePage));
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, kCompositeCheckDefaultChar, wide, length, bytes.data(), size, useDefault, nullptr);
    return bytes;
}

kfx::Text WindowsCodePageConverter::Decode(std::string_view bytes, std::uint32_t codePage) {
    RefuseUnusable(*this, codePage);
    if (bytes.empty()) return {};
    const int length = CheckedLength(bytes.size());
    const int size = MultiByteToWideChar(codePage, MB_PRECOMPOSED, bytes.data(), length, nullptr, 0);
    if (size <= 0) throw std::runtime_error("the platform converter refused bytes of code page " +
                                            std::to_string(codePage));
    kfx::Text text(static_cast<std::size_t>(size), u'\0');
    MultiByteToWideChar(codePage, MB_PRECOMPOSED, bytes.data(), length, reinterpret_cast<wchar_t*>(text.data()), size);
    return text;
}

std::size_t WindowsCodePageConverter::UnchangedStart(std::u16string_view, std::uint32_t codePage) {
    RefuseUnusable(*this, codePage);
    return 0;
}

std::size_t WindowsCodePageConverter::UnchangedEnd(std::u16string_view, std::uint32_t codePage) {
    RefuseUnusable(*this, codePage);
    return 0;
}

}  // namespace dbAx
