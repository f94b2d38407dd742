#include "setup/win32/general_page_dialog.h"

#include <string>

#include "setup/dialog_templates.h"
#include "setup/general_page_controls.h"
#include "setup/resource_ids.h"
#include "setup/win32/popup_menu_win32.h"
#include "setup/win32/win32_text.h"

namespace veldmark {
namespace {

// Asks the page to put the focus back on a box once the move under way has finished.
constexpr UINT kRefocusMessage = WM_APP + 1;

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

GeneralPageDialog::GeneralPageDialog(HINSTANCE module, SetupModel& model, const kfx::Text& messageTitle,
                                     CPropertyPageSetupGeneral::VersionReader readVersion)
    : DialogPage(module, res::kDialogGeneralPage), page_(std::move(readVersion)), codepageCommit_(page_),
      messageTitle_(messageTitle) {
    page_.SetModel(&model);
    page_.AttachView(this);
}

kfx::Text GeneralPageDialog::Caption() const { return FindDialogTemplate(res::kDialogGeneralPage)->caption; }

void GeneralPageDialog::OnCreate() { page_.OnInitDialog(); }

void GeneralPageDialog::OnSetActive() { SetFocus(Control(res::kEditInstanceName)); }

bool GeneralPageDialog::OnKillActive() { return codepageCommit_.OnLeavingPage(); }

bool GeneralPageDialog::CommitPendingInput() { return codepageCommit_.OnLeavingPage(); }

void GeneralPageDialog::OnSheetClosing() { codepageCommit_.OnSheetClosing(); }

void GeneralPageDialog::OnOK() { page_.OnOK(); }

HWND GeneralPageDialog::Control(int id) const { return GetDlgItem(Window(), id); }

bool GeneralPageDialog::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT&) {
    if (message == kRefocusMessage) {
        SetFocus(Control(static_cast<int>(wParam)));
        return true;
    }
    if (message != WM_COMMAND) return false;
    const int id = LOWORD(wParam);
    switch (HIWORD(wParam)) {
    case BN_CLICKED:
        for (const SettingControls& setting : GeneralPageSettingControls()) {
            if (setting.button != id) continue;
            page_.ShowSourceMenu(setting.slot);
            return true;
        }
        return false;
    case EN_CHANGE:
        if (!writing_) OnEditChanged(id);
        return true;
    case EN_KILLFOCUS:
        if (id == res::kEditCodepage) OnCodepageFocusLost();
        return true;
    default: return false;
    }
}

void GeneralPageDialog::OnEditChanged(int id) {
    for (const SettingControls& setting : GeneralPageSettingControls()) {
        if (setting.edit != id) continue;
        // The Codepage box is judged when it is left, not while it is typed into.
        if (setting.slot == SlotCodepage) return;
        if (setting.slot == SlotReplacementChar) page_.OnReplacementCharChanged();
        else page_.OnSettingTextChanged(setting.slot);
        return;
    }
}

void GeneralPageDialog::OnCodepageFocusLost() {
    // By now the focus has arrived where it went.
    const HWND sheet = GetParent(Window());
    const HWND to = GetFocus();
    // Cancel discards everything typed: the box is not judged on the way to it.
    if (to && to == GetDlgItem(sheet, IDCANCEL)) return;
    FocusLoss how = FocusLoss::Keyboard;
    if (!to || (to != sheet && !IsChild(sheet, to))) how = FocusLoss::OtherWindow;
    else if (GetKeyState(VK_LBUTTON) < 0) how = FocusLoss::MouseClick;
    // The message box the judgement may show takes the click that moved the
    // focus: the control clicked does not act on it.
    codepageCommit_.OnFocusLost(how);
}

void GeneralPageDialog::ReadControls(GeneralPageTexts& texts) {
    for (const auto& [id, member] : GeneralPageExchange()) texts.*member = TextOf(WindowText(Control(id)));
}

void GeneralPageDialog::WriteControls(const GeneralPageTexts& texts) {
    writing_ = true;
    for (const auto& [id, member] : GeneralPageExchange()) {
        HWND control = Control(id);
        if (TextOf(WindowText(control)) != texts.*member) SetWindowTextW(control, WideOf(texts.*member));
    }
    writing_ = false;
}

void GeneralPageDialog::EnableSettingEdit(SettingSlot slot, bool enabled) {
    EnableWindow(Control(ControlsOf(slot).edit), enabled);
}

void GeneralPageDialog::SetPasswordMasked(bool masked) {
    HWND edit = Control(ControlsOf(SlotPassword).edit);
    SendMessageW(edit, EM_SETPASSWORDCHAR, masked ? L'*' : 0, 0);
    InvalidateRect(edit, nullptr, TRUE);
}

void GeneralPageDialog::ShowVersion() {
    ShowWindow(Control(res::kLabelVersionCaption), SW_SHOW);
    ShowWindow(Control(res::kLabelVersionText), SW_SHOW);
}

void GeneralPageDialog::ShowMessage(const kfx::Text& message) {
    MessageBoxW(GetParent(Window()), WideOf(message), WideOf(messageTitle_), MB_OK);
}

void GeneralPageDialog::FocusSettingEdit(SettingSlot slot) {
    // Called while the focus is on its way elsewhere: once now, and once more
    // when that move has finished.
    const int id = ControlsOf(slot).edit;
    SetFocus(Control(id));
    PostMessageW(Window(), kRefocusMessage, static_cast<WPARAM>(id), 0);
}

std::optional<int> GeneralPageDialog::TrackSourceMenu(SettingSlot slot, const PopupMenu& menu) {
    RECT button{};
    GetWindowRect(Control(ControlsOf(slot).button), &button);
    return TrackPopupMenuAt(menu, POINT{button.left, button.bottom + 1}, Window());
}

}  // namespace veldmark
