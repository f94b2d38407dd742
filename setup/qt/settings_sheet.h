// The settings sheet: the pages listed on the left, the active page on the
// right, OK and Cancel below. No Apply: only OK stores anything.
#pragma once

#include <QDialog>

#include "setup/general_page.h"
#include "setup/mapping_page.h"
#include "setup/property_sheet.h"

class QListWidget;
class QPushButton;
class QStackedWidget;

namespace veldmark {

class GeneralPageWidget;
class MappingPageWidget;

class SettingsSheet final : public QDialog {
    Q_OBJECT

public:
    SettingsSheet(const QString& title, SetupModel& model, RequiredFieldPrompt prompt,
                  CPropertyPageSetupGeneral::VersionReader readVersion = ReadModuleVersion);

    GeneralPageWidget* GeneralPage() const { return generalPage_; }
    MappingPageWidget* MappingPage() const { return mappingPage_; }
    QListWidget* Navigation() const { return navigation_; }
    QPushButton* OkButton() const { return okButton_; }
    QPushButton* CancelButton() const { return cancelButton_; }
    std::size_t ActivePage() const { return sheet_.ActivePage(); }

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void RequestPage(int index);
    void RequestOk();

    GeneralPageWidget* generalPage_;
    MappingPageWidget* mappingPage_;
    QListWidget* navigation_;
    QStackedWidget* stack_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    PropertySheet sheet_;
    bool started_ = false;
};

}  // namespace veldmark
