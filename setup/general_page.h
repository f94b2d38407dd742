// The General page: which batch and document class are being set up, the
// export connector instance's name, and the six connector settings, each fed
// by a typed text, an index field or a host value.
#pragma once

#include <functional>
#include <optional>

#include "model/setup_model.h"
#include "setup/module_version.h"
#include "setup/popup_menu.h"

namespace veldmark {

// The page's texts, in the order they are exchanged with the controls.
struct GeneralPageTexts {
    Text batchClassName;
    Text documentClassName;
    Text instanceName;
    Text serverName;
    Text userName;
    Text password;
    Text apiLibrary;
    Text versionText;
    Text codepage;
    Text replacementChar;
};

// The member of the page's texts that each setting's box shows.
Text GeneralPageTexts::*SettingText(SettingSlot slot);

// What the page needs from the toolkit that draws it.
class GeneralPageView {
public:
    // Copies what the boxes hold into the texts.
    virtual void ReadControls(GeneralPageTexts& texts) = 0;
    // Shows the texts in the controls, without raising change notifications.
    virtual void WriteControls(const GeneralPageTexts& texts) = 0;
    virtual void EnableSettingEdit(SettingSlot slot, bool enabled) = 0;
    virtual void SetPasswordMasked(bool masked) = 0;
    virtual void ShowVersion() = 0;
    virtual void ShowMessage(const Text& message) = 0;
    virtual void FocusSettingEdit(SettingSlot slot) = 0;
    // Pops the menu up under the setting's "..." button; the command chosen, if any.
    virtual std::optional<int> TrackSourceMenu(SettingSlot slot, const PopupMenu& menu) = 0;

protected:
    ~GeneralPageView() = default;
};

class CPropertyPageSetupGeneral {
public:
    using VersionReader = std::function<std::optional<ModuleVersion>()>;

    explicit CPropertyPageSetupGeneral(VersionReader readVersion = ReadModuleVersion);

    // Both must be set before the page is created; neither is owned.
    void SetModel(SetupModel* model) { model_ = model; }
    void AttachView(GeneralPageView* view) { view_ = view; }

    void OnInitDialog();
    // Shows the host's names and the model's settings.
    void RefreshFromModel();
    // A box of the server name, user name, password or API library was typed into.
    void OnSettingTextChanged(SettingSlot slot);
    // The Replacement Character box was typed into: only its first character stays.
    void OnReplacementCharChanged();
    // The Codepage box lost the focus: an unknown code page is refused, and
    // the result is false.
    bool ValidateCodepage();
    // True while the code page is a typed text, which its box edits.
    bool CodepageIsTyped() const;
    // A "..." button was clicked.
    void ShowSourceMenu(SettingSlot slot);
    // A source-menu command.
    void OnCommand(int command);
    // The sheet closes with OK: the instance name goes to the host.
    void OnOK();

private:
    bool GetModuleVersionText(Text& text) const;
    void ReadHostNames();

    VersionReader readVersion_;
    GeneralPageTexts texts_;
    SetupModel* model_ = nullptr;
    MappedField* selectedSetting_ = nullptr;
    GeneralPageView* view_ = nullptr;
};

}  // namespace veldmark
