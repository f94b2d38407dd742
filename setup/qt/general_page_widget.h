// The General page drawn with Qt: the controls of dialog template 11003,
// placed in dialog units of the page's font. Events go to the page's logic.
#pragma once

#include <map>

#include <QWidget>

#include "setup/codepage_commit.h"
#include "setup/dialog_templates.h"
#include "setup/general_page.h"
#include "setup/property_page.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace veldmark {

class GeneralPageWidget final : public QWidget, public PropertyPage, private GeneralPageView {
    Q_OBJECT

public:
    GeneralPageWidget(SetupModel& model, QWidget* parent,
                      CPropertyPageSetupGeneral::VersionReader readVersion = ReadModuleVersion);

    // The page's size, from its template.
    QSize sizeHint() const override;

    // The control with the given identifier; null before the page is created.
    QWidget* Control(int id) const;

    kfx::Text Caption() const override;
    void OnCreate() override;
    void OnSetActive() override;
    bool OnKillActive() override;
    bool CommitPendingInput() override;
    void OnSheetClosing() override;
    void OnOK() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    QLineEdit* SettingEdit(SettingSlot slot) const;

    // GeneralPageView.
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
    const DialogTemplate& template_;
    std::map<int, QWidget*> controls_;
};

}  // namespace veldmark
