#include "data_access/result_text.h"

#include <cstdint>
#include <cstdio>

#include "data_access/system_message.h"

namespace dbAx {
namespace {

kfx::Text Widen(const char* text) {
    kfx::Text wide;
    for (; *text; ++text) wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(*text)));
    return wide;
}

}  // namespace

kfx::Text ResultText(kfx::HRESULT result) {
    if (std::optional<kfx::Text> text = SystemMessage(result)) {
        if (text->size() > 1 && text->back() == u'\n') {
            text->pop_back();
            if (!text->empty() && text->back() == u'\r') text->pop_back();
        }
        return *std::move(text);
    }
    const auto code = static_cast<std::uint32_t>(result);
    char buffer[32];
    if (code >= 0x80040200u && code <= 0x8004FFFFu && code != 0x80040200u) {
        std::snprintf(buffer, sizeof buffer, "IDispatch error #%d", static_cast<int>(code - 0x80040200u));
    } else {
        std::snprintf(buffer, sizeof buffer, "Unknown error 0x%0lX", static_cast<unsigned long>(code));
    }
    return Widen(buffer);
}

}  // namespace dbAx
