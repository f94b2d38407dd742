// What one document is released with: connection settings, the library of
// the interface files, sanitising, and the name the success message shows.
#pragma once

#include <cstdint>
#include <optional>

#include "host/release_data.h"
#include "release/header_record.h"

namespace veldmark {

struct ReleaseSettings {
    Text server;
    Text userName;
    Text password;
    Text apiLibrary;
    std::int32_t codePage = 0;
    // "SanitiseCodepage" as it was set when it is not a number; empty otherwise.
    Text unreadableCodePage;
    char16_t replacementChar = 0;
    Text documentName;
};

// Found only when the value exists and its text is not empty.
bool lookupValue(kfx::IValues* values, const Text& key, Text& text);

// Folder, separator unless the folder ends in one, name; an extension
// replaces whatever follows the last '.' of the whole path.
Text BuildOriginalFilePath(const Text& folder, const Text& name, Text extension, char16_t separator);

// The document's original file, when its folder, name and extension values
// name an existing file.
bool resolveOriginalFilePath(kfx::IValues* values, Text& path);

bool ReadServerApiLibrary(kfx::IReleaseData* data, Text& library);

// The whole text as a base-10 integer (leading blanks and a sign allowed);
// none for any other text.
std::optional<std::int32_t> ParseCodePage(const Text& text);

// The "SanitiseCodepage" setting's text into the settings: its number, or the
// text itself as unreadable.
void TakeCodePageSetting(const Text& text, ReleaseSettings& settings);

// Resolves every setting of the document from the host's defaults and values;
// the document name starts as the one given.
ReleaseSettings ResolveReleaseSettings(kfx::IReleaseData* data, kfx::IValues* values, const Text& documentName);

// Why the settings cannot be used safely, before anything is connected or
// written: a library that is not a plain SQL name, a server name that would
// change the connection text, a code page setting that is not a number, a
// code page that cannot be converted to. A setting that is no number would
// otherwise turn sanitising off without a word.
std::optional<Text> SettingsProblem(const ReleaseSettings& settings);

}  // namespace veldmark
