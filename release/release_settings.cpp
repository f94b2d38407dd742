#include "release/release_settings.h"

#include <climits>
#include <filesystem>

#include "data_access/sanitise/sanitise.h"
#include "host/text_format.h"
#include "model/custom_property.h"
#include "release/file_system_entry.h"

namespace veldmark {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

Text ReadProperty(kfx::IReleaseData* data, kfx::HRESULT (kfx::IReleaseData::*read)(Text*)) {
    Text text;
    if (kfx::Failed((data->*read)(&text))) text.clear();
    return text;
}

// Letters, digits, '_', '$', '#', '@', not starting with a digit: nothing
// that could change the SQL it is formatted into.
bool IsPlainSqlName(const Text& name) {
    if (name.empty() || IsDigit(name.front())) return false;
    for (char16_t c : name) {
        if (!IsAsciiLetter(c) && !IsDigit(c) && c != u'_' && c != u'$' && c != u'#' && c != u'@') return false;
    }
    return true;
}

// Nothing that could end the data source or add a key to the connection text.
bool IsSafeServerName(const Text& server) {
    for (char16_t c : server) {
        if (c == u';' || c == u'=' || c == u'"' || c == u'\'' || c < 0x20 || c == 0x7F) return false;
    }
    return true;
}

}  // namespace

bool lookupValue(kfx::IValues* values, const Text& key, Text& text) {
    text.clear();
    kfx::ComPtr<kfx::IValue> value;
    if (kfx::Failed(values->get_Item(kfx::Variant(key), value.Put())) || !value) return false;
    Text read;
    if (kfx::Failed(value->get_Value(&read))) return false;
    text = std::move(read);
    return !text.empty();
}

Text BuildOriginalFilePath(const Text& folder, const Text& name, Text extension, char16_t separator) {
    Text path = folder;
    if (path.back() != u'\\' && path.back() != u'/') path.push_back(separator);
    path += name;
    if (!extension.empty()) {
        const auto dot = path.rfind(u'.');
        if (dot != Text::npos && dot != 0) path.resize(dot);
        if (extension.front() != u'.') extension.insert(extension.begin(), u'.');
        path += extension;
    }
    return path;
}

bool resolveOriginalFilePath(kfx::IValues* values, Text& path) {
    Text folder, name, extension;
    lookupValue(values, u"OriginalFolder", folder);
    lookupValue(values, u"OriginalFileName", name);
    lookupValue(values, u"OriginalFileNameExt", extension);
    if (folder.empty() || name.empty()) return false;
    const Text candidate = BuildOriginalFilePath(
        folder, name, extension, static_cast<char16_t>(std::filesystem::path::preferred_separator));
    if (!FileSystemEntryExists(candidate)) return false;
    path = candidate;
    return true;
}

bool ReadServerApiLibrary(kfx::IReleaseData* data, Text& library) {
    library.clear();
    kfx::ComPtr<kfx::ICustomProperties> properties;
    if (kfx::Failed(data->get_CustomProperties(properties.Put())) || !properties) return false;
    return ReadCustomProperty(properties.Get(), u"serverAPILibrary", library);
}

std::optional<std::int32_t> ParseCodePage(const Text& text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    const std::size_t digitsStart = i;
    long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        // Beyond the range the number saturates, as the platform's parser does.
        value = std::min<long long>(value * 10 + (text[i] - u'0'), static_cast<long long>(INT_MAX) + 1);
    }
    if (i == digitsStart || i != text.size()) return std::nullopt;
    if (negative) return static_cast<std::int32_t>(std::max<long long>(-value, INT_MIN));
    return static_cast<std::int32_t>(std::min<long long>(value, INT_MAX));
}

void TakeCodePageSetting(const Text& text, ReleaseSettings& settings) {
    const std::optional<std::int32_t> codePage = ParseCodePage(text);
    settings.codePage = codePage.value_or(0);
    settings.unreadableCodePage = codePage ? Text() : text;
}

ReleaseSettings ResolveReleaseSettings(kfx::IReleaseData* data, kfx::IValues* values, const Text& documentName) {
    ReleaseSettings settings;
    settings.documentName = documentName;
    Text text;
    settings.server = ReadProperty(data, &kfx::IReleaseData::get_ConnectString);
    if (lookupValue(values, u"serverName", text)) settings.server = text;
    settings.userName = ReadProperty(data, &kfx::IReleaseData::get_UserName);
    if (lookupValue(values, u"username", text)) settings.userName = text;
    settings.password = ReadProperty(data, &kfx::IReleaseData::get_Password);
    if (lookupValue(values, u"password", text)) settings.password = text;
    ReadServerApiLibrary(data, settings.apiLibrary);
    if (lookupValue(values, u"APILibrary", text)) settings.apiLibrary = text;
    if (resolveOriginalFilePath(values, text)) settings.documentName = text;
    if (lookupValue(values, u"SanitiseCodepage", text)) TakeCodePageSetting(text, settings);
    if (lookupValue(values, u"SanitiseReplacementChar", text) && text.size() == 1) settings.replacementChar = text[0];
    return settings;
}

std::optional<Text> SettingsProblem(const ReleaseSettings& settings) {
    if (!IsSafeServerName(settings.server)) {
        return kfx::FormatText(
            u"The server name '%s' is not valid: it must not contain ';', '=', quotes or control characters",
            {settings.server});
    }
    if (!IsPlainSqlName(settings.apiLibrary)) {
        return kfx::FormatText(
            u"The API library name '%s' is not valid: use letters, digits, '_', '$', '#' or '@', not starting "
            u"with a digit",
            {settings.apiLibrary});
    }
    if (!settings.unreadableCodePage.empty()) {
        return kfx::FormatText(u"\"SanitiseCodepage\" is set to '%s', which is not a code page number. Set "
                               u"\"SanitiseCodepage\" to a supported code page, or to 0 to turn sanitising off.",
                               {settings.unreadableCodePage});
    }
    return dbAx::CodePageProblem(settings.codePage);
}

}  // namespace veldmark
