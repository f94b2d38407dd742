// Pictures of the sheet and the prompt, for a person to look at.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "setup/qt/general_page_widget.h"
#include "setup/qt/mapping_page_widget.h"
#include "setup/qt/property_grid.h"
#include "setup/qt/settings_sheet.h"
#include "setup/resource_ids.h"
#include "setup/task_dialog/qt/cx_task_dialog.h"
#include "ui_test_support.h"

namespace veldmark::uitest {
namespace {

class ScreenshotsTest : public UiTest {};

TEST_F(ScreenshotsTest, SettingsSheetPagesAndPrompt) {
    const StoredDocumentClass stored(SampleDocumentClass());
    const auto setupData = stored.OpenSetupData();
    RunSetup(setupData.Get(), [](SettingsSheet& sheet) {
        SaveScreenshot(&sheet, "general_page");
        QLineEdit* codepage = static_cast<QLineEdit*>(sheet.GeneralPage()->Control(res::kEditCodepage));
        codepage->selectAll();
        TypeInto(codepage, "99999");
        WhenShown([] { return ActiveMessageBox(); },
                  [](QWidget* box) {
                      SaveScreenshot(box, "codepage_message");
                      static_cast<QMessageBox*>(box)->accept();
                  });
        QTest::keyClick(codepage, Qt::Key_Tab);
        Settle();
        sheet.Navigation()->setCurrentRow(1);
        // A line with a long description, which its area scrolls.
        QTreeWidget* tree = sheet.MappingPage()->Grid()->Tree();
        QTreeWidgetItem* lines = tree->topLevelItem(1);
        for (int row = 0; row < lines->childCount(); ++row) {
            if (lines->child(row)->text(0) == "Discount value") tree->setCurrentItem(lines->child(row));
        }
        Settle();  // the description area learns its text's height
        SaveScreenshot(&sheet, "data_mapping_page");
        tree->setCurrentItem(tree->topLevelItem(0)->child(0));
        tree->scrollToItem(tree->topLevelItem(0));
        sheet.MappingPage()->DisplayFieldNamesBox()->click();
        Settle();
        SaveScreenshot(&sheet, "data_mapping_field_names");
        sheet.MappingPage()->DisplayFieldNamesBox()->click();
        WhenShown([] { return ActiveTaskDialog(); },
                  [](QWidget* dialog) {
                      SaveScreenshot(dialog, "required_field_prompt");
                      static_cast<CXTaskDialog*>(dialog)->Control(541)->setFocus();
                      QTest::keyClick(dialog, Qt::Key_Return);
                  });
        sheet.OkButton()->click();
        sheet.CancelButton()->click();
    });
    for (const char* name : {"general_page", "codepage_message", "data_mapping_page", "required_field_prompt"})
        EXPECT_TRUE(std::filesystem::exists(ScreenshotDirectory() / (std::string(name) + ".png"))) << name;
}

TEST_F(ScreenshotsTest, TaskDialogWithEveryArea) {
    const TaskDialogButton radios[] = {{200, u"Keep the old invoice"}, {201, u"Replace it"}};
    TaskDialogConfig config;
    config.instance = &ComponentResourceModule();
    config.flags = td::kAllowDialogCancellation | td::kEnableHyperlinks | td::kExpandedByDefault;
    config.commonButtons = td::kOkButton | td::kCancelButton;
    config.windowTitle = u"Invoice exists";
    config.mainIcon.resourceId = td::kInformationIcon;
    config.mainInstruction = u"Invoice 1001 has been exported before.";
    config.content = u"The header row is already in AIP32. <A HREF=\"log\">Show the log</A>";
    config.radioButtons = radios;
    config.radioButtonCount = 2;
    config.expandedInformation = u"Exported on 9 December by the release station.";
    config.verificationText = u"Do not ask again";
    config.footerIcon.resourceId = td::kWarningIcon;
    config.footer = u"Replacing cannot be undone.";
    WhenShown([] { return ActiveTaskDialog(); },
              [](QWidget* dialog) {
                  SaveScreenshot(dialog, "task_dialog_every_area");
                  QTest::keyClick(dialog, Qt::Key_Escape);
              });
    int pressed = 0;
    EXPECT_EQ(CXTaskDialog::Run(config, &pressed, nullptr, nullptr), kfx::HR_S_OK);
    EXPECT_EQ(pressed, td::kIdCancel);
}

}  // namespace
}  // namespace veldmark::uitest
