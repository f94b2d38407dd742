// Pictures of the sheet and the prompt, for a person to look at.
#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "setup/qt/mapping_page_widget.h"
#include "setup/qt/settings_sheet.h"
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
        sheet.Navigation()->setCurrentRow(1);
        SaveScreenshot(&sheet, "data_mapping_page");
        sheet.MappingPage()->DisplayFieldNamesBox()->click();
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
    EXPECT_TRUE(std::filesystem::exists(ScreenshotDirectory() / "required_field_prompt.png"));
}

}  // namespace
}  // namespace veldmark::uitest
