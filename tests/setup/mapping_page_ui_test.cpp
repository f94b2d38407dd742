// The Data Mapping page, its rows and the required-field prompt, driven
// through their widgets inside RunUI; every test looks at the store afterwards.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>

#include "setup/qt/mapping_page_widget.h"
#include "setup/qt/property_grid.h"
#include "setup/qt/settings_sheet.h"
#include "setup/task_dialog/qt/command_link.h"
#include "setup/task_dialog/qt/cx_task_dialog.h"
#include "ui_test_support.h"

namespace veldmark::uitest {
namespace {

using standin::LinkRecord;

constexpr int kMap = 541;
constexpr int kIgnore = 542;

// What the prompt showed, and the choice made.
struct PromptSeen {
    QString title;
    QString instruction;
    QString mapCaption;
    QString mapNote;
    QString ignoreCaption;
    QString ignoreNote;
    bool stayedOpenOnEscape = false;
};

class MappingPageUiTest : public UiTest {
protected:
    MappingPageUiTest() : stored_(SampleDocumentClass()) {}

    standin::DocumentClass Run(const std::function<void(SettingsSheet&)>& drive) {
        const auto setupData = stored_.OpenSetupData();
        EXPECT_EQ(RunSetup(setupData.Get(), drive), kfx::KFX_REL_SUCCESS);
        return stored_.Reload();
    }

    static PropertyGrid& OpenMappingPage(SettingsSheet& sheet) {
        QListWidget* navigation = sheet.Navigation();
        QTest::mouseClick(navigation->viewport(), Qt::LeftButton, {},
                          navigation->visualItemRect(navigation->item(1)).center());
        EXPECT_EQ(sheet.ActivePage(), 1u);
        return *sheet.MappingPage()->Grid();
    }

    static QTreeWidgetItem* Row(PropertyGrid& grid, const QString& name) {
        for (int group = 0; group < grid.Tree()->topLevelItemCount(); ++group) {
            QTreeWidgetItem* groupItem = grid.Tree()->topLevelItem(group);
            for (int row = 0; row < groupItem->childCount(); ++row) {
                if (groupItem->child(row)->text(0) == name) return groupItem->child(row);
            }
        }
        ADD_FAILURE() << "no row " << name.toStdString();
        return nullptr;
    }

    static void ClickValueButton(PropertyGrid& grid, QTreeWidgetItem* row) {
        grid.Tree()->scrollToItem(row);
        QTest::mouseClick(grid.Tree()->viewport(), Qt::LeftButton, {}, grid.ValueButtonRect(row).center());
    }

    // Clicks into the value cell and answers the editor that opens there.
    static QLineEdit* OpenEditor(PropertyGrid& grid, QTreeWidgetItem* row) {
        grid.Tree()->scrollToItem(row);
        const QPoint cell(grid.Tree()->columnViewportPosition(1) + 10, grid.Tree()->visualItemRect(row).center().y());
        QTest::mouseClick(grid.Tree()->viewport(), Qt::LeftButton, {}, cell);
        // An editor closed earlier may still wait for its deletion.
        for (QLineEdit* editor : grid.Tree()->viewport()->findChildren<QLineEdit*>()) {
            if (editor->isVisible()) return editor;
        }
        ADD_FAILURE() << "the value cell did not open for editing";
        return nullptr;
    }

    // Types into the value cell in place and confirms with Enter.
    static void EditValue(PropertyGrid& grid, QTreeWidgetItem* row, const QString& text) {
        QLineEdit* editor = OpenEditor(grid, row);
        if (!editor) return;
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }

    // Schedules answering the prompt with the given link, after Escape and
    // the close box have been tried; runs act.
    static PromptSeen AnswerPrompt(int choice, const std::function<void()>& act) {
        PromptSeen seen;
        WhenShown([] { return ActiveTaskDialog(); },
                  [&seen, choice](QWidget* widget) {
                      auto* dialog = static_cast<CXTaskDialog*>(widget);
                      seen.title = dialog->windowTitle();
                      seen.instruction = static_cast<QLabel*>(dialog->ControlOf(TaskControlKind::MainInstruction))->text();
                      const auto* map = static_cast<CXTaskDialogCommandLink*>(dialog->Control(kMap));
                      const auto* ignore = static_cast<CXTaskDialogCommandLink*>(dialog->Control(kIgnore));
                      seen.mapCaption = QString::fromStdU16String(map->Text().caption);
                      seen.mapNote = QString::fromStdU16String(map->Text().note);
                      seen.ignoreCaption = QString::fromStdU16String(ignore->Text().caption);
                      seen.ignoreNote = QString::fromStdU16String(ignore->Text().note);
                      QTest::keyClick(dialog, Qt::Key_Escape);
                      dialog->close();
                      seen.stayedOpenOnEscape = dialog->isVisible();
                      QTest::mouseClick(dialog->Control(choice), Qt::LeftButton);
                  });
        act();
        return seen;
    }

    static LinkRecord LinkFor(const standin::DocumentClass& stored, const char16_t* destination) {
        for (const LinkRecord& link : stored.links) {
            if (link.destination == destination) return link;
        }
        return {};
    }

    StoredDocumentClass stored_;
};

TEST_F(MappingPageUiTest, FieldsStandInTwoGroupsInCatalogueOrderWithRequiredNamesInDarkRed) {
    const standin::DocumentClass before = stored_.Reload();
    const standin::DocumentClass after = Run([](SettingsSheet& sheet) {
        PropertyGrid& grid = OpenMappingPage(sheet);
        QTreeWidget* tree = grid.Tree();
        ASSERT_EQ(tree->topLevelItemCount(), 2);
        EXPECT_EQ(tree->topLevelItem(0)->text(0), "Header Details");
        EXPECT_EQ(tree->topLevelItem(1)->text(0), "Line Item Details");
        EXPECT_EQ(tree->headerItem()->text(0), "Property");
        EXPECT_EQ(tree->headerItem()->text(1), "Value");
        QTreeWidgetItem* header = tree->topLevelItem(0);
        ASSERT_EQ(header->childCount(), 56);
        EXPECT_EQ(tree->topLevelItem(1)->childCount(), 37);
        EXPECT_EQ(header->child(0)->text(0), "Record type");
        EXPECT_EQ(header->child(55)->text(0), "Location Code");
        EXPECT_EQ(tree->topLevelItem(1)->child(0)->text(0), "Record type sequence number");

        QStringList required;
        for (int group = 0; group < 2; ++group) {
            for (int row = 0; row < tree->topLevelItem(group)->childCount(); ++row) {
                auto* item = static_cast<PropertyGridRow*>(tree->topLevelItem(group)->child(row));
                if (item->IsRequired()) required << item->text(0);
            }
        }
        EXPECT_EQ(required, (QStringList{"Record type", "Composite field for company/cust-or-supp/dseq",
                                         "Invoice number", "Date Of Invoice"}));

        // Stored links show on entry; only a text constant can be typed into.
        QTreeWidgetItem* invoiceNumber = Row(grid, "Invoice number");
        EXPECT_EQ(invoiceNumber->text(1), "Invoice Number");
        EXPECT_FALSE(invoiceNumber->flags() & Qt::ItemIsEditable);

        tree->setCurrentItem(header->child(0));
        EXPECT_EQ(grid.DescriptionTitle(), "Record type");
        EXPECT_EQ(grid.DescriptionText(),
                  "AIP32.RTYP32 - CHAR(1)\nSet to '3' if invoice is to populate the 3-way match files (3WM mode). "
                  "Otherwise only the AP invoice is polulated.");
        sheet.CancelButton()->click();
    });
    EXPECT_EQ(after, before);
}

TEST_F(MappingPageUiTest, DisplayFieldNamesSwitchesNamesBothWaysAndStartsUncheckedEachTime) {
    for (int opening = 0; opening < 2; ++opening) {
        Run([](SettingsSheet& sheet) {
            PropertyGrid& grid = OpenMappingPage(sheet);
            QCheckBox* box = sheet.MappingPage()->DisplayFieldNamesBox();
            EXPECT_FALSE(box->isChecked());
            QTreeWidgetItem* recordType = grid.Tree()->topLevelItem(0)->child(0);
            QTreeWidgetItem* itemCode = grid.Tree()->topLevelItem(1)->child(1);
            grid.Tree()->setCurrentItem(recordType);
            QTest::mouseClick(box, Qt::LeftButton);
            EXPECT_EQ(recordType->text(0), "AIP32.RTYP32");
            EXPECT_EQ(itemCode->text(0), "AIP33.CATN33");
            // The destination opens the description; the title names the field once more by its label.
            EXPECT_EQ(grid.DescriptionTitle(), "Record type");
            EXPECT_TRUE(grid.DescriptionText().startsWith("AIP32.RTYP32 - CHAR(1)\n"));
            EXPECT_EQ((grid.DescriptionTitle() + "\n" + grid.DescriptionText()).count("AIP32.RTYP32"), 1);
            QTest::mouseClick(box, Qt::LeftButton);
            EXPECT_EQ(recordType->text(0), "Record type");
            EXPECT_EQ(itemCode->text(0), "Item code");
            QTest::mouseClick(box, Qt::LeftButton);
            sheet.CancelButton()->click();
        });
    }
    EXPECT_EQ(stored_.Reload(), SampleDocumentClass());
}

TEST_F(MappingPageUiTest, ALongDescriptionScrollsToItsLastWord) {
    Run([](SettingsSheet& sheet) {
        PropertyGrid& grid = OpenMappingPage(sheet);
        grid.Tree()->setCurrentItem(Row(grid, "Discount value"));
        Settle();
        EXPECT_TRUE(grid.DescriptionText().endsWith("when writing to files PLP17 and PLP15."));
        QScrollArea* area = grid.DescriptionArea();
        ASSERT_NE(area, nullptr);
        QScrollBar* bar = area->verticalScrollBar();
        ASSERT_GT(bar->maximum(), 0) << "the description is taller than its area";
        bar->setValue(bar->maximum());
        const QWidget* text = area->widget();
        EXPECT_EQ(text->mapTo(area->viewport(), QPoint(0, text->height())).y(), area->viewport()->height())
            << "the last line can be scrolled into view";
        sheet.CancelButton()->click();
    });
}

TEST_F(MappingPageUiTest, TheValueButtonKeepsItsFontOnABoldModifiedValue) {
    Run([](SettingsSheet& sheet) {
        PropertyGrid& grid = OpenMappingPage(sheet);
        QTreeWidgetItem* recordType = Row(grid, "Record type");
        QTreeWidgetItem* nextRow = Row(grid, "Record type sequence number");
        ChooseFromMenu([&] { ClickValueButton(grid, recordType); }, {"Text Constant"});
        EditValue(grid, recordType, "3");
        ASSERT_TRUE(static_cast<PropertyGridRow*>(recordType)->IsModified());
        grid.Tree()->setCurrentItem(Row(grid, "Invoice number"));
        grid.Tree()->scrollToItem(recordType);
        Settle();
        const QImage viewport = grid.Tree()->viewport()->grab().toImage();
        const qreal ratio = viewport.devicePixelRatio();
        const auto buttonImage = [&](QTreeWidgetItem* row) {
            const QRect button = grid.ValueButtonRect(row);
            return viewport.copy(QRect(button.topLeft() * ratio, button.size() * ratio));
        };
        EXPECT_EQ(buttonImage(recordType), buttonImage(nextRow)) << "the \"...\" is drawn alike on both rows";
        sheet.CancelButton()->click();
    });
}

TEST_F(MappingPageUiTest, ATextConstantIsTypedInPlaceAndStored) {
    const standin::DocumentClass after = Run([this](SettingsSheet& sheet) {
        PropertyGrid& grid = OpenMappingPage(sheet);
        QTreeWidgetItem* recordType = Row(grid, "Record type");
        EXPECT_FALSE(recordType->flags() & Qt::ItemIsEditable);
        ChooseFromMenu([&] { ClickValueButton(grid, recordType); }, {"Text Constant"});
        EXPECT_TRUE(recordType->flags() & Qt::ItemIsEditable);
        EditValue(grid, recordType, "3");
        EXPECT_TRUE(sheet.isVisible()) << "Enter ends the edit, not the sheet";
        EXPECT_EQ(recordType->text(1), "3");
        EXPECT_TRUE(static_cast<PropertyGridRow*>(recordType)->IsModified());

        // Escape throws an edit away.
        QTreeWidgetItem* orderNumber = Row(grid, "Order number");
        ChooseFromMenu([&] { ClickValueButton(grid, orderNumber); }, {"Text Constant"});
        QLineEdit* editor = OpenEditor(grid, orderNumber);
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, "PO1");
        QTest::keyClick(editor, Qt::Key_Escape);
        EXPECT_TRUE(sheet.isVisible());
        EXPECT_EQ(orderNumber->text(1), "");

        EXPECT_EQ(AnswerPrompt(kIgnore, [&] { sheet.OkButton()->click(); }).mapNote,
                  "Return to the dialog and map the required fields, beginning with "
                  "'Composite field for company/cust-or-supp/dseq'.");
    });
    EXPECT_EQ(LinkFor(after, u"AIP32.RTYP32"), (LinkRecord{u"3", kfx::KFX_REL_TEXTCONSTANT, u"AIP32.RTYP32"}));
    EXPECT_EQ(LinkFor(after, u"AIP32.ORDN32").destination, u"") << "an empty text constant makes no link";
    EXPECT_EQ(after.releaseScriptName, u"System21 export");
}

TEST_F(MappingPageUiTest, SourceMenusOfARowOfferAndStoreEachKindOfSource) {
    standin::DocumentClass documentClass = SampleDocumentClass();
    documentClass.links.push_back({u"OriginalFolder", kfx::KFX_REL_BATCHFIELD, u"AIP32.DELN32"});
    const StoredDocumentClass stored(documentClass);
    const auto setupData = stored.OpenSetupData();
    RunSetup(setupData.Get(), [](SettingsSheet& sheet) {
        PropertyGrid& grid = OpenMappingPage(sheet);
        QTreeWidgetItem* invoiceNumber = Row(grid, "Invoice number");
        EXPECT_EQ(ReadMenu([&] { ClickValueButton(grid, invoiceNumber); }),
                  (std::vector<QString>{"Text Constant", "No Mapping", "Document Index Fields", "  [x] Invoice Number",
                                        "  Supplier", "  Invoice Date", "  Description", "Kofax Capture Values",
                                        "  First Page Original File Name", "  Batch Name"}));
        ChooseFromMenu([&] { ClickValueButton(grid, invoiceNumber); }, {"Kofax Capture Values", "Batch Name"});
        EXPECT_EQ(invoiceNumber->text(1), "Batch Name");
        EXPECT_FALSE(invoiceNumber->flags() & Qt::ItemIsEditable);
        EXPECT_EQ(ReadMenu([&] { ClickValueButton(grid, invoiceNumber); })[3], "  Invoice Number");

        // The keyboard opens the menu of the current row too.
        QTreeWidgetItem* itemCode = Row(grid, "Item code");
        grid.Tree()->setCurrentItem(itemCode);
        ChooseFromMenu([&] { QTest::keyClick(grid.Tree(), Qt::Key_F4); }, {"Document Index Fields", "Supplier"});
        EXPECT_EQ(itemCode->text(1), "Supplier");

        ChooseFromMenu([&] { ClickValueButton(grid, Row(grid, "Description")); }, {"No Mapping"});
        EXPECT_EQ(Row(grid, "Description")->text(1), "");

        // A batch-field link from the store shows read-only, nothing checked.
        QTreeWidgetItem* deliveryNote = Row(grid, "Delivery note number");
        EXPECT_EQ(deliveryNote->text(1), "OriginalFolder");
        EXPECT_FALSE(deliveryNote->flags() & Qt::ItemIsEditable);
        const std::vector<QString> menu = ReadMenu([&] { ClickValueButton(grid, deliveryNote); });
        EXPECT_EQ(std::count_if(menu.begin(), menu.end(), [](const QString& line) { return line.contains("[x]"); }), 0);

        AnswerPrompt(kIgnore, [&] { sheet.OkButton()->click(); });
    });
    const standin::DocumentClass after = stored.Reload();
    EXPECT_EQ(LinkFor(after, u"AIP32.INVN32"), (LinkRecord{u"Batch Name", kfx::KFX_REL_VARIABLE, u"AIP32.INVN32"}));
    EXPECT_EQ(LinkFor(after, u"AIP33.CATN33"), (LinkRecord{u"Supplier", kfx::KFX_REL_INDEXFIELD, u"AIP33.CATN33"}));
    EXPECT_EQ(LinkFor(after, u"AIP33.DESC33").destination, u"");
    EXPECT_EQ(LinkFor(after, u"AIP32.DELN32"), (LinkRecord{u"OriginalFolder", kfx::KFX_REL_BATCHFIELD, u"AIP32.DELN32"}));
}

TEST_F(MappingPageUiTest, OkWithAnUnmappedRequiredFieldAsksAndMapKeepsTheSheetOpen) {
    const standin::DocumentClass after = Run([](SettingsSheet& sheet) {
        PropertyGrid& grid = OpenMappingPage(sheet);
        const PromptSeen seen = AnswerPrompt(kMap, [&] { sheet.OkButton()->click(); });
        EXPECT_EQ(seen.title, "Required field not Mapped");
        EXPECT_EQ(seen.instruction,
                  "One or more fields that are marked as 'Required' have not been mapped. What would you like to do?");
        EXPECT_EQ(seen.mapCaption, "Map Required Fields");
        EXPECT_EQ(seen.mapNote, "Return to the dialog and map the required fields, beginning with 'Record type'.");
        EXPECT_EQ(seen.ignoreCaption, "Ignore Requirement");
        EXPECT_EQ(seen.ignoreNote, "Do not map the Required fields and close this dialog immediately.");
        EXPECT_TRUE(seen.stayedOpenOnEscape) << "neither Escape nor the close box ends the prompt";

        EXPECT_TRUE(sheet.isVisible());
        EXPECT_EQ(grid.Tree()->currentItem(), Row(grid, "Record type"));

        // Asked again on the next OK; ignoring closes the sheet and saves.
        EXPECT_EQ(AnswerPrompt(kIgnore, [&] { sheet.OkButton()->click(); }).mapCaption, "Map Required Fields");
    });
    ASSERT_EQ(after.links.size(), 2u + 6u + 3u);
    EXPECT_EQ(after.links[0], (LinkRecord{u"Invoice Number", kfx::KFX_REL_INDEXFIELD, u"AIP32.INVN32"}));
    EXPECT_EQ(after.releaseScriptName, u"System21 export");
}

TEST_F(MappingPageUiTest, ThePromptNamesTheFieldAsTheGridShowsIt) {
    Run([](SettingsSheet& sheet) {
        OpenMappingPage(sheet);
        QTest::mouseClick(sheet.MappingPage()->DisplayFieldNamesBox(), Qt::LeftButton);
        EXPECT_EQ(AnswerPrompt(kMap, [&] { sheet.OkButton()->click(); }).mapNote,
                  "Return to the dialog and map the required fields, beginning with 'AIP32.RTYP32'.");
        sheet.CancelButton()->click();
    });
    EXPECT_EQ(stored_.Reload(), SampleDocumentClass());
}

TEST_F(MappingPageUiTest, LeavingForTheGeneralPageAsksTooAndMapKeepsTheMappingPage) {
    Run([](SettingsSheet& sheet) {
        OpenMappingPage(sheet);
        QListWidget* navigation = sheet.Navigation();
        const QPoint general = navigation->visualItemRect(navigation->item(0)).center();
        AnswerPrompt(kMap, [&] { QTest::mouseClick(navigation->viewport(), Qt::LeftButton, {}, general); });
        EXPECT_EQ(sheet.ActivePage(), 1u);
        EXPECT_EQ(navigation->currentRow(), 1);
        AnswerPrompt(kIgnore, [&] { QTest::mouseClick(navigation->viewport(), Qt::LeftButton, {}, general); });
        EXPECT_EQ(sheet.ActivePage(), 0u);
        EXPECT_EQ(navigation->currentRow(), 0);
        // The check belongs to the Data Mapping page: OK here asks nothing.
        ExpectNoDialog([&] { sheet.OkButton()->click(); });
    });
    EXPECT_EQ(stored_.Reload().links.size(), 2u + 6u + 3u);
}

TEST_F(MappingPageUiTest, EnterOnThePromptChoosesMapRequiredFields) {
    Run([](SettingsSheet& sheet) {
        OpenMappingPage(sheet);
        WhenShown([] { return ActiveTaskDialog(); },
                  [](QWidget* dialog) {
                      Settle();
                      EXPECT_EQ(QApplication::focusWidget(), static_cast<CXTaskDialog*>(dialog)->Control(kMap));
                      QTest::keyClick(dialog, Qt::Key_Return);
                  });
        sheet.OkButton()->click();
        EXPECT_TRUE(sheet.isVisible());
        sheet.CancelButton()->click();
    });
    EXPECT_EQ(stored_.Reload(), SampleDocumentClass());
}

TEST_F(MappingPageUiTest, WhenEveryRequiredFieldHasASourceOkAsksNothing) {
    standin::DocumentClass documentClass = SampleDocumentClass();
    documentClass.links.push_back({u"OriginalFolder", kfx::KFX_REL_BATCHFIELD, u"AIP32.CDAC32"});
    const StoredDocumentClass stored(documentClass);
    const auto setupData = stored.OpenSetupData();
    RunSetup(setupData.Get(), [](SettingsSheet& sheet) {
        PropertyGrid& grid = OpenMappingPage(sheet);
        ChooseFromMenu([&] { ClickValueButton(grid, Row(grid, "Record type")); }, {"Text Constant"});
        EditValue(grid, Row(grid, "Record type"), "3");
        ChooseFromMenu([&] { ClickValueButton(grid, Row(grid, "Date Of Invoice")); },
                       {"Document Index Fields", "Invoice Date"});
        ExpectNoDialog([&] { sheet.OkButton()->click(); });
    });
    const standin::DocumentClass after = stored.Reload();
    const std::vector<LinkRecord> fields(after.links.begin(), after.links.begin() + 5);
    EXPECT_EQ(fields, (std::vector<LinkRecord>{
                          {u"3", kfx::KFX_REL_TEXTCONSTANT, u"AIP32.RTYP32"},
                          {u"OriginalFolder", kfx::KFX_REL_BATCHFIELD, u"AIP32.CDAC32"},
                          {u"Invoice Number", kfx::KFX_REL_INDEXFIELD, u"AIP32.INVN32"},
                          {u"Invoice Date", kfx::KFX_REL_INDEXFIELD, u"AIP32.DTIN32"},
                          {u"Description", kfx::KFX_REL_INDEXFIELD, u"AIP33.DESC33"},
                      }));
}

}  // namespace
}  // namespace veldmark::uitest
