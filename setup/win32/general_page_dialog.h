// The General page drawn by the dialog manager from template 11003; what it
// does comes from the toolkit-neutral page.
#pragma once

#include "setup/codepage_commit.h"
#include "setup/general_page.h"
#include "setup/win32/dialog_page.h"

namespace veldmark {

class GeneralPageDialog final : public DialogPage, private GeneralPageView {
public:
    GeneralPageDialog(HINSTANCE module, SetupModel& model, const kfx::Text& messageTitle,
                      CPropertyPageSetupGeneral::VersionReader readVersion = ReadModuleVersion);

    kfx::Text Caption() const override;
    void OnCreate() override;
    void OnSetActive() override;
    bool OnKillActive() override;
    bool CommitPendingInput() override;
    void OnSheetClosing() override;
    void OnOK() override;

private:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnEditChanged(int id);
    void OnCodepageFocusLost();
    HWND Control(int id) const;

    void ReadControls(GeneralPageTexts& texts) override;
    void WriteControls(const GeneralPageTexts& texts) override;
    void EnableSettingEdit(SettingSlot slot, bool enabled) override;
    void SetPasswordMasked(bool masked) override;
    void ShowVersion() override;
    void ShowMessage(const kfx::Text& message) override;
    void FocusSettingEdit(SettingSlot slot) override;
    std::optional<int> TrackSourceMenu(SettingSlot slot, const PopupMenu& menu) override;

    CPropertyPageSetupGeneral page_;
    CodepageCommit codepageCommit_;
    kfx::Text messageTitle_;
    bool writing_ = false;  // the page's own writes raise EN_CHANGE, which it must not hear
};

}  // namespace veldmark
