#include "data_access/result_text.h"

#include <cstdint>
#include <cstdio>

namespace dbAx {
namespace {

struct SystemMessage {
    kfx::HRESULT result;
    const char16_t* text;
};

// The component's own message table for the codes the layer can meet, with
// the line ends the platform's table gives its texts.
constexpr SystemMessage kSystemMessages[] = {
    {kfx::E_NOTIMPL, u"Not implemented\r\n"},
    {kfx::E_NOINTERFACE, u"No such interface supported\r\n"},
    {kfx::E_POINTER, u"Invalid pointer\r\n"},
    {kfx::E_FAIL, u"Unspecified error\r\n"},
    {kfx::E_UNEXPECTED, u"Catastrophic failure\r\n"},
    {kfx::E_OUTOFMEMORY, u"Not enough memory resources are available to complete this operation.\r\n"},
    {kfx::E_INVALIDARG, u"The parameter is incorrect.\r\n"},
    {kfx::DISP_E_BADINDEX, u"Invalid index.\r\n"},
    {kfx::CLASS_E_NOAGGREGATION, u"Class does not support aggregation (or class object is remote)\r\n"},
    {kfx::CLASS_E_CLASSNOTAVAILABLE, u"ClassFactory cannot supply requested class\r\n"},
};

kfx::Text Widen(const char* text) {
    kfx::Text wide;
    for (; *text; ++text) wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(*text)));
    return wide;
}

}  // namespace

kfx::Text ResultText(kfx::HRESULT result) {
    for (const SystemMessage& message : kSystemMessages) {
        if (message.result != result) continue;
        kfx::Text text = message.text;
        if (text.size() > 1 && text.back() == u'\n') {
            text.pop_back();
            if (!text.empty() && text.back() == u'\r') text.pop_back();
        }
        return text;
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
