#include "setup/general_page_controls.h"

#include <stdexcept>

#include "setup/resource_ids.h"

namespace veldmark {
namespace {

constexpr SettingControls kSettingControls[] = {
    {SlotServerName, res::kEditServerName, res::kButtonServerNameSource, &GeneralPageTexts::serverName},
    {SlotUserName, res::kEditUserName, res::kButtonUserNameSource, &GeneralPageTexts::userName},
    {SlotPassword, res::kEditPassword, res::kButtonPasswordSource, &GeneralPageTexts::password},
    {SlotApiLibrary, res::kEditApiLibrary, res::kButtonApiLibrarySource, &GeneralPageTexts::apiLibrary},
    {SlotCodepage, res::kEditCodepage, res::kButtonCodepageSource, &GeneralPageTexts::codepage},
    {SlotReplacementChar, res::kEditReplacementChar, res::kButtonReplacementCharSource,
     &GeneralPageTexts::replacementChar},
};

constexpr ExchangedControl kExchange[] = {
    {res::kLabelBatchClassName, &GeneralPageTexts::batchClassName},
    {res::kLabelDocumentClassName, &GeneralPageTexts::documentClassName},
    {res::kEditInstanceName, &GeneralPageTexts::instanceName},
    {res::kEditServerName, &GeneralPageTexts::serverName},
    {res::kEditUserName, &GeneralPageTexts::userName},
    {res::kEditPassword, &GeneralPageTexts::password},
    {res::kEditApiLibrary, &GeneralPageTexts::apiLibrary},
    {res::kLabelVersionText, &GeneralPageTexts::versionText},
    {res::kEditCodepage, &GeneralPageTexts::codepage},
    {res::kEditReplacementChar, &GeneralPageTexts::replacementChar},
};

}  // namespace

std::span<const SettingControls> GeneralPageSettingControls() { return kSettingControls; }

const SettingControls& ControlsOf(SettingSlot slot) {
    for (const SettingControls& setting : kSettingControls) {
        if (setting.slot == slot) return setting;
    }
    throw std::out_of_range("no such setting");
}

std::span<const ExchangedControl> GeneralPageExchange() { return kExchange; }

}  // namespace veldmark
