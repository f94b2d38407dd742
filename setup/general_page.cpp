#include "setup/general_page.h"

#include "host/kfx_types.h"
#include "setup/codepages.h"
#include "setup/general_page_controls.h"
#include "setup/resource_ids.h"
#include "setup/resources.h"
#include "setup/source_choice.h"
#include "setup/source_menu.h"

namespace veldmark {
namespace {

Text ReadHostText(kfx::IReleaseSetupData* host, kfx::HRESULT (kfx::IReleaseSetupData::*getter)(Text*)) {
    Text text;
    if (kfx::Failed((host->*getter)(&text))) text.clear();
    return text;
}

Text FirstCharacter(const Text& text) { return text.substr(0, 1); }

}  // namespace

Text GeneralPageTexts::*SettingText(SettingSlot slot) { return ControlsOf(slot).text; }

CPropertyPageSetupGeneral::CPropertyPageSetupGeneral(VersionReader readVersion)
    : readVersion_(std::move(readVersion)) {}

void CPropertyPageSetupGeneral::OnInitDialog() {
    view_->WriteControls(texts_);
    if (GetModuleVersionText(texts_.versionText)) view_->ShowVersion();
    ReadHostNames();
    RefreshFromModel();
}

bool CPropertyPageSetupGeneral::GetModuleVersionText(Text& text) const {
    text = u"1.0.0";
    const std::optional<ModuleVersion> version = readVersion_();
    if (!version) return false;
    text = FormatModuleVersion(*version);
    return true;
}

// Read once, when the page opens: reading the instance name again later
// would throw away a name the administrator has typed but not yet stored.
void CPropertyPageSetupGeneral::ReadHostNames() {
    if (!model_ || !model_->setupData) return;
    kfx::IReleaseSetupData* host = model_->setupData.Get();
    texts_.batchClassName = ReadHostText(host, &kfx::IReleaseSetupData::get_BatchClassName);
    texts_.documentClassName = ReadHostText(host, &kfx::IReleaseSetupData::get_DocClassName);
    texts_.instanceName = ReadHostText(host, &kfx::IReleaseSetupData::get_Name);
}

void CPropertyPageSetupGeneral::RefreshFromModel() {
    if (!model_ || !model_->setupData) return;
    for (std::size_t index = 0; index < kSettingCount; ++index) {
        const auto slot = static_cast<SettingSlot>(index);
        const MappedField& setting = model_->Setting(slot);
        texts_.*SettingText(slot) = slot == SlotReplacementChar ? FirstCharacter(setting.source) : setting.source;
        view_->EnableSettingEdit(slot, setting.sourceType == kfx::KFX_REL_TEXTCONSTANT);
    }
    // The name of an index field or host value that feeds the password stays readable.
    view_->SetPasswordMasked(model_->Setting(SlotPassword).sourceType == kfx::KFX_REL_TEXTCONSTANT);
    view_->WriteControls(texts_);
}

void CPropertyPageSetupGeneral::OnSettingTextChanged(SettingSlot slot) {
    if (!model_) return;
    view_->ReadControls(texts_);
    MappedField& setting = model_->Setting(slot);
    setting.sourceType = kfx::KFX_REL_TEXTCONSTANT;
    setting.source = texts_.*SettingText(slot);
}

void CPropertyPageSetupGeneral::OnReplacementCharChanged() {
    if (!model_) return;
    view_->ReadControls(texts_);
    texts_.replacementChar = FirstCharacter(texts_.replacementChar);
    MappedField& setting = model_->Setting(SlotReplacementChar);
    setting.sourceType = kfx::KFX_REL_TEXTCONSTANT;
    setting.source = texts_.replacementChar;
    view_->WriteControls(texts_);
}

bool CPropertyPageSetupGeneral::ValidateCodepage() {
    if (!model_) return true;
    view_->ReadControls(texts_);
    if (!texts_.codepage.empty() && !IsWindowsCodepage(ParseCodepageNumber(texts_.codepage))) {
        view_->ShowMessage(LoadResourceString(res::kStringInvalidCodepage));
        texts_.codepage.clear();
        view_->WriteControls(texts_);
        view_->FocusSettingEdit(SlotCodepage);
        return false;
    }
    MappedField& setting = model_->Setting(SlotCodepage);
    setting.sourceType = kfx::KFX_REL_TEXTCONSTANT;
    setting.source = texts_.codepage;
    return true;
}

bool CPropertyPageSetupGeneral::CodepageIsTyped() const {
    return model_ && model_->setupData && model_->Setting(SlotCodepage).sourceType == kfx::KFX_REL_TEXTCONSTANT;
}

void CPropertyPageSetupGeneral::ShowSourceMenu(SettingSlot slot) {
    if (!model_) return;
    selectedSetting_ = &model_->Setting(slot);
    const PopupMenu menu = BuildSourceMenu(*selectedSetting_, *model_);
    if (const std::optional<int> command = view_->TrackSourceMenu(slot, menu)) OnCommand(*command);
}

void CPropertyPageSetupGeneral::OnCommand(int command) {
    if (!model_ || !selectedSetting_) return;
    ApplySourceCommand(*selectedSetting_, *model_, command);
    // Keeps whatever the other boxes hold, the instance name included.
    view_->ReadControls(texts_);
    RefreshFromModel();
    selectedSetting_ = nullptr;
}

void CPropertyPageSetupGeneral::OnOK() {
    if (!model_ || !model_->setupData) return;
    view_->ReadControls(texts_);
    model_->setupData->put_Name(texts_.instanceName);
}

}  // namespace veldmark
