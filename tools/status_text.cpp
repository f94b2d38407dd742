#include "tools/status_text.h"

#include <cstdint>
#include <cstdio>

#include "host/utf8.h"
#include "host_standin/display_text.h"

namespace standin {

std::string StatusText(kfx::HRESULT status) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<std::uint32_t>(status));
    return text;
}

std::string ReturnValueText(kfx::KfxReturnValue value) {
    const char* name = nullptr;
    switch (value) {
        case kfx::KFX_REL_SUCCESS: name = "KFX_REL_SUCCESS"; break;
        case kfx::KFX_REL_REINIT: name = "KFX_REL_REINIT"; break;
        case kfx::KFX_REL_STOPPED: name = "KFX_REL_STOPPED"; break;
        case kfx::KFX_REL_QUEUED: name = "KFX_REL_QUEUED"; break;
        case kfx::KFX_REL_UNSUPPORTED: name = "KFX_REL_UNSUPPORTED"; break;
        case kfx::KFX_REL_ERROR: name = "KFX_REL_ERROR"; break;
        case kfx::KFX_REL_DOCCLASSERROR: name = "KFX_REL_DOCCLASSERROR"; break;
        case kfx::KFX_REL_FATALERROR: name = "KFX_REL_FATALERROR"; break;
        case kfx::KFX_REL_FATALBATCHERROR: name = "KFX_REL_FATALBATCHERROR"; break;
    }
    const std::string number = std::to_string(static_cast<std::int32_t>(value));
    return name ? std::string(name) + " (" + number + ")" : number;
}

std::string JoinedLines(const kfx::Text& message, std::string_view separator) {
    const std::string text = kfx::ToUtf8(message);
    std::string result;
    bool first = true;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '\r' && text[i] != '\n') continue;
        // An empty line separates two error records: the separator between
        // their lines says as much.
        const std::string_view line = std::string_view(text).substr(lineStart, i - lineStart);
        if (!line.empty()) {
            if (!first) result += separator;
            result += DisplayText(line);
            first = false;
        }
        if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') ++i;
        lineStart = i + 1;
    }
    return result;
}

std::string OnOneLine(const kfx::Text& message) { return JoinedLines(message, " / "); }

}  // namespace standin
