#include "data_access/system_message.h"

namespace dbAx {
namespace {

struct TableEntry {
    kfx::HRESULT result;
    const char16_t* text;
};

// No system has a table of these codes here: the component's own, for the
// codes the layer can meet, with the line ends the platform's table gives.
constexpr TableEntry kSystemMessages[] = {
    {kfx::HR_E_NOTIMPL, u"Not implemented\r\n"},
    {kfx::HR_E_NOINTERFACE, u"No such interface supported\r\n"},
    {kfx::HR_E_POINTER, u"Invalid pointer\r\n"},
    {kfx::HR_E_FAIL, u"Unspecified error\r\n"},
    {kfx::HR_E_UNEXPECTED, u"Catastrophic failure\r\n"},
    {kfx::HR_E_OUTOFMEMORY, u"Not enough memory resources are available to complete this operation.\r\n"},
    {kfx::HR_E_INVALIDARG, u"The parameter is incorrect.\r\n"},
    {kfx::HR_DISP_E_BADINDEX, u"Invalid index.\r\n"},
    {kfx::HR_CLASS_E_NOAGGREGATION, u"Class does not support aggregation (or class object is remote)\r\n"},
    {kfx::HR_CLASS_E_CLASSNOTAVAILABLE, u"ClassFactory cannot supply requested class\r\n"},
};

}  // namespace

std::optional<kfx::Text> SystemMessage(kfx::HRESULT result) {
    for (const TableEntry& entry : kSystemMessages) {
        if (entry.result == result) return kfx::Text(entry.text);
    }
    return std::nullopt;
}

}  // namespace dbAx
