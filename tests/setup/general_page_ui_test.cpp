// The General page driven through its widgets, inside RunUI; every test
// looks at what the store holds afterwards.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <QMessageBox>
#include <QPainter>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleOptionMenuItem>

#include "model/setup_model.h"
#include "setup/dialog_templates.h"
#include "setup/qt/dialog_units.h"
#include "setup/qt/general_page_widget.h"
#include "setup/qt/settings_sheet.h"
#include "setup/resource_ids.h"
#include "setup/task_dialog/qt/cx_task_dialog.h"
#include "ui_test_support.h"

namespace veldmark::uitest {
namespace {

using standin::LinkRecord;

class GeneralPageUiTest : public UiTest {
protected:
    GeneralPageUiTest() : stored_(SampleDocumentClass()) {}

    // Runs the sheet over the stored document class and answers what the store holds afterwards.
    standin::DocumentClass Run(const std::function<void(SettingsSheet&)>& drive) {
        const auto setupData = stored_.OpenSetupData();
        EXPECT_EQ(RunSetup(setupData.Get(), drive), kfx::KFX_REL_SUCCESS);
        return stored_.Reload();
    }

    static QLineEdit* Edit(SettingsSheet& sheet, int id) {
        return static_cast<QLineEdit*>(sheet.GeneralPage()->Control(id));
    }
    static QPushButton* Button(SettingsSheet& sheet, int id) {
        return static_cast<QPushButton*>(sheet.GeneralPage()->Control(id));
    }

    // The link a save wrote for a setting key.
    static LinkRecord SettingLink(const standin::DocumentClass& stored, const char16_t* key) {
        for (const LinkRecord& link : stored.links) {
            if (link.destination == key) return link;
        }
        ADD_FAILURE() << "no link for the setting";
        return {};
    }

    StoredDocumentClass stored_;
};

TEST(DialogUnitsTest, AreAQuarterOfTheAverageCharacterWidthAndAnEighthOfTheHeight) {
    const DialogBaseUnits base{7.4, 14};
    EXPECT_EQ(MapDialogRect({131, 71, 152, 13}, base), QRect(242, 124, 282, 23));
    EXPECT_EQ(DialogUnitsToPixelsX(350, base), 648);
    EXPECT_EQ(DialogUnitsToPixelsY(242, base), 424);
}

TEST_F(GeneralPageUiTest, ControlsStandWhereTheTemplatePutsThemInTheFontsDialogUnits) {
    Run([](SettingsSheet& sheet) {
        GeneralPageWidget& page = *sheet.GeneralPage();
        const DialogBaseUnits base = BaseUnitsOf(page.font());
        const DialogTemplate& general = *FindDialogTemplate(res::kDialogGeneralPage);
        EXPECT_EQ(page.size(), QSize(DialogUnitsToPixelsX(350, base), DialogUnitsToPixelsY(242, base)));
        int placed = 0;
        for (const DialogControl& control : general.controls) {
            if (control.kind != ControlKind::Edit && control.kind != ControlKind::PasswordEdit &&
                control.kind != ControlKind::PushButton)
                continue;
            EXPECT_EQ(page.Control(control.id)->geometry(), MapDialogRect(control.rect, base)) << control.id;
            ++placed;
        }
        EXPECT_EQ(placed, 7 + 6);
        EXPECT_EQ(sheet.windowTitle(), "Veldmark Export Connector for System21 Setup");
        EXPECT_EQ(sheet.Navigation()->item(0)->text(), "General");
        EXPECT_EQ(sheet.Navigation()->item(1)->text(), "Data Mapping");

        QLineEdit* password = Edit(sheet, res::kEditPassword);
        EXPECT_EQ(password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, password), u'*');
        EXPECT_EQ(Edit(sheet, res::kEditServerName)->maxLength(), std::numeric_limits<int>::max());
        sheet.CancelButton()->click();
    });
    EXPECT_EQ(stored_.Reload(), SampleDocumentClass());
}

// The lowest row of ink within the rectangle, in the image's pixels.
int LowestInkRow(const QImage& image, const QRect& rect) {
    for (int y = rect.bottom(); y >= rect.top(); --y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 100) return y;
        }
    }
    return -1;
}

TEST_F(GeneralPageUiTest, EachCaptionSharesItsBoxsBaseline) {
    const std::pair<int, int> captions[] = {
        {res::kLabelInstanceNameCaption, res::kEditInstanceName}, {res::kLabelServerNameCaption, res::kEditServerName},
        {res::kLabelUserNameCaption, res::kEditUserName},         {res::kLabelApiLibraryCaption, res::kEditApiLibrary},
        {res::kLabelCodepageCaption, res::kEditCodepage},
        {res::kLabelReplacementCharCaption, res::kEditReplacementChar},
    };
    Run([&captions](SettingsSheet& sheet) {
        GeneralPageWidget& page = *sheet.GeneralPage();
        // The same letters in caption and box, with no descender, so that the
        // lowest ink is the baseline.
        for (const auto& [caption, edit] : captions) {
            static_cast<QLabel*>(page.Control(caption))->setText("HEM");
            Edit(sheet, edit)->setEnabled(true);
            Edit(sheet, edit)->setText("HEM");
            Edit(sheet, edit)->setCursorPosition(0);
        }
        page.setFocus();
        Settle();
        const QImage image = page.grab().toImage();
        const qreal ratio = image.devicePixelRatio();
        for (const auto& [caption, edit] : captions) {
            const QRect label = page.Control(caption)->geometry();
            const QRect box = page.Control(edit)->geometry().adjusted(3, 3, -3, -3);
            EXPECT_EQ(LowestInkRow(image, QRect(label.topLeft() * ratio, label.size() * ratio)),
                      LowestInkRow(image, QRect(box.topLeft() * ratio, box.size() * ratio)))
                << "caption " << caption;
        }
        sheet.CancelButton()->click();
    });
}

// A desktop theme that puts icons on dialog buttons.
class ButtonIconStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

bool HasInk(const QImage& image, const QRect& rect) {
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0) return true;
        }
    }
    return false;
}

TEST_F(GeneralPageUiTest, LooksLikeASettingsDialogOfThePlatform) {
    const QString originalStyle = QApplication::style()->name();
    QApplication::setStyle(new ButtonIconStyle);
    Run([](SettingsSheet& sheet) {
        EXPECT_TRUE(sheet.OkButton()->icon().isNull());
        EXPECT_TRUE(sheet.CancelButton()->icon().isNull());

        // Page names with room around them.
        QListWidget* navigation = sheet.Navigation();
        const QFontMetrics metrics = navigation->fontMetrics();
        for (int row = 0; row < navigation->count(); ++row) {
            const QRect item = navigation->visualItemRect(navigation->item(row));
            EXPECT_GE(item.height(), metrics.height() + 8) << row;
            EXPECT_GE(navigation->viewport()->width(),
                      metrics.horizontalAdvance(navigation->item(row)->text()) + 30) << row;
        }

        // The code page message has no icon of its own.
        QLineEdit* codepage = Edit(sheet, res::kEditCodepage);
        TypeInto(codepage, "0");
        QMessageBox::Icon icon = QMessageBox::Warning;
        WhenShown([] { return ActiveMessageBox(); },
                  [&icon](QWidget* box) {
                      icon = static_cast<QMessageBox*>(box)->icon();
                      static_cast<QMessageBox*>(box)->accept();
                  });
        QTest::keyClick(codepage, Qt::Key_Tab);
        Settle();
        EXPECT_EQ(icon, QMessageBox::NoIcon);

        // Menus mark the checked entry with a check mark, not a check box.
        bool boxWhenUnchecked = true;
        bool cornerInked = true;
        bool markWhenChecked = false;
        WhenShown([] { return QApplication::activePopupWidget(); },
                  [&](QWidget* menu) {
                      QStyleOptionMenuItem option;
                      option.initFrom(menu);
                      option.rect = QRect(0, 0, 16, 16);
                      const auto draw = [&](QStyle::State state) {
                          QImage image(16, 16, QImage::Format_ARGB32);
                          image.fill(Qt::transparent);
                          QPainter painter(&image);
                          option.state = state;
                          menu->style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, menu);
                          return image;
                      };
                      const QImage unchecked = draw(QStyle::State_Enabled | QStyle::State_Off);
                      const QImage checked = draw(QStyle::State_Enabled | QStyle::State_On);
                      boxWhenUnchecked = HasInk(unchecked, unchecked.rect());
                      markWhenChecked = HasInk(checked, checked.rect());
                      cornerInked = HasInk(checked, QRect(0, 0, 3, 3));
                      QTest::keyClick(menu, Qt::Key_Escape);
                  });
        Button(sheet, res::kButtonPasswordSource)->click();
        EXPECT_FALSE(boxWhenUnchecked);
        EXPECT_TRUE(markWhenChecked);
        EXPECT_FALSE(cornerInked) << "no frame of a box";
        sheet.CancelButton()->click();
    });
    QApplication::setStyle(originalStyle);
}

TEST_F(GeneralPageUiTest, TypedSettingsAndTheInstanceNameAreStoredOnOk) {
    const standin::DocumentClass after = Run([](SettingsSheet& sheet) {
        QLineEdit* server = Edit(sheet, res::kEditServerName);
        EXPECT_EQ(server->text(), "sqlite:db");
        server->selectAll();
        TypeInto(server, "sqlite:other");
        Edit(sheet, res::kEditUserName)->clear();
        TypeInto(Edit(sheet, res::kEditUserName), "buyer");
        QLineEdit* password = Edit(sheet, res::kEditPassword);
        EXPECT_EQ(password->echoMode(), QLineEdit::Password);
        password->clear();
        TypeInto(password, "p%1 'w");
        TypeInto(Edit(sheet, res::kEditApiLibrary), "2");
        TypeInto(Edit(sheet, res::kEditReplacementChar), "#x");
        EXPECT_EQ(Edit(sheet, res::kEditReplacementChar)->text(), "#");
        QLineEdit* instance = Edit(sheet, res::kEditInstanceName);
        instance->clear();
        TypeInto(instance, "AP export");
        sheet.OkButton()->click();
    });

    EXPECT_EQ(after.releaseScriptName, u"AP export");
    EXPECT_EQ(SettingLink(after, u"serverName"), (LinkRecord{u"sqlite:other", kfx::KFX_REL_TEXTCONSTANT, u"serverName"}));
    EXPECT_EQ(SettingLink(after, u"username").source, u"buyer");
    EXPECT_EQ(SettingLink(after, u"password").source, u"p%1 'w") << "stored exactly as typed";
    EXPECT_EQ(SettingLink(after, u"APILibrary").source, u"APLIB2");
    EXPECT_EQ(SettingLink(after, u"SanitiseReplacementChar").source, u"#");
    EXPECT_EQ(after.connectString, u"sqlite:db") << "the host's own properties are only read";
}

TEST_F(GeneralPageUiTest, TheCodepageBoxAcceptsOnlyWindowsCodePagesWhenItIsLeft) {
    const struct {
        QString typed;
        bool accepted;
    } cases[] = {{"1252", true}, {"0", false}, {"99999", false}, {"abc", false}, {"1252a", false}, {"", true}};
    for (const auto& c : cases) {
        StoredDocumentClass stored(SampleDocumentClass());
        const auto setupData = stored.OpenSetupData();
        RunSetup(setupData.Get(), [&c](SettingsSheet& sheet) {
            QLineEdit* codepage = Edit(sheet, res::kEditCodepage);
            TypeInto(codepage, c.typed);
            const QString message = AnswerMessageBox([&] { QTest::keyClick(codepage, Qt::Key_Tab); });
            Settle();
            if (c.accepted) {
                EXPECT_TRUE(message.isEmpty()) << c.typed.toStdString();
                EXPECT_EQ(codepage->text(), c.typed);
                EXPECT_FALSE(codepage->hasFocus());
            } else {
                EXPECT_EQ(message, "Invalid Codepage, please refer to the Userguide.") << c.typed.toStdString();
                EXPECT_EQ(codepage->text(), "");
                EXPECT_TRUE(codepage->hasFocus()) << "the focus goes back to the box";
            }
            sheet.OkButton()->click();
        });
        const standin::DocumentClass after = stored.Reload();
        EXPECT_EQ(SettingLink(after, u"SanitiseCodepage").source, c.accepted ? c.typed.toStdU16String() : u"")
            << c.typed.toStdString();
    }
}

TEST_F(GeneralPageUiTest, OkWhileTheCodepageBoxHasTheFocusValidatesWhatItHolds) {
    const standin::DocumentClass accepted = Run([](SettingsSheet& sheet) {
        TypeInto(Edit(sheet, res::kEditCodepage), "65001");
        QTest::keyClick(Edit(sheet, res::kEditCodepage), Qt::Key_Return);
    });
    EXPECT_EQ(SettingLink(accepted, u"SanitiseCodepage").source, u"65001");

    const standin::DocumentClass before = stored_.Reload();
    const standin::DocumentClass refused = Run([](SettingsSheet& sheet) {
        TypeInto(Edit(sheet, res::kEditCodepage), "99999");
        const QString message = AnswerMessageBox([&] { sheet.OkButton()->click(); });
        EXPECT_EQ(message, "Invalid Codepage, please refer to the Userguide.");
        EXPECT_TRUE(sheet.isVisible()) << "a refused code page keeps the sheet open";
        sheet.CancelButton()->click();
    });
    EXPECT_EQ(refused, before);
}

// Brings another window to the front, runs act, and gives the sheet the front back.
void WhileAnotherWindowIsActive(SettingsSheet& sheet, const std::function<void()>& act) {
    QWidget other;
    other.show();
    other.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&other));
    act();
    other.close();
    sheet.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&sheet));
}

// A code page refused once, typed anew and then left in each way an
// administrator can: what the box shows at OK is what is stored.
TEST_F(GeneralPageUiTest, ACodepageTypedAfterARefusedOneIsStoredHoweverTheBoxIsLeft) {
    const struct {
        const char* way;
        bool closes;  // the way of leaving presses OK itself
        std::function<void(SettingsSheet&, QLineEdit*)> leave;
    } ways[] = {
        {"Tab", false, [](SettingsSheet&, QLineEdit* box) { QTest::keyClick(box, Qt::Key_Tab); }},
        {"a click elsewhere", false,
         [](SettingsSheet& sheet, QLineEdit*) {
             QTest::mouseClick(Edit(sheet, res::kEditReplacementChar), Qt::LeftButton);
         }},
        {"OK", true, [](SettingsSheet& sheet, QLineEdit*) { QTest::mouseClick(sheet.OkButton(), Qt::LeftButton); }},
        {"Enter", true, [](SettingsSheet&, QLineEdit* box) { QTest::keyClick(box, Qt::Key_Return); }},
        {"a menu", false,
         [](SettingsSheet&, QLineEdit* box) {
             std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
             ReadMenu([&] { menu->exec(box->mapToGlobal(QPoint(2, 2))); });
         }},
        {"a second window", false, [](SettingsSheet& sheet, QLineEdit*) { WhileAnotherWindowIsActive(sheet, [] {}); }},
        // As on a real display after the message: the click lands before the
        // sheet is active again, so the box hears no focus loss at all.
        {"a click as the sheet comes back", false,
         [](SettingsSheet& sheet, QLineEdit*) {
             WhileAnotherWindowIsActive(
                 sheet, [&] { QTest::mouseClick(Edit(sheet, res::kEditReplacementChar), Qt::LeftButton); });
             EXPECT_TRUE(Edit(sheet, res::kEditReplacementChar)->hasFocus());
         }},
    };
    for (const auto& way : ways) {
        StoredDocumentClass stored(SampleDocumentClass());
        const auto setupData = stored.OpenSetupData();
        RunSetup(setupData.Get(), [&way](SettingsSheet& sheet) {
            QLineEdit* codepage = Edit(sheet, res::kEditCodepage);
            codepage->selectAll();
            TypeInto(codepage, "99999");
            EXPECT_FALSE(AnswerMessageBox([&] { QTest::keyClick(codepage, Qt::Key_Tab); }).isEmpty());
            Settle();
            ASSERT_TRUE(codepage->hasFocus());
            TypeInto(codepage, "20127");
            // A menu is read and dismissed by its own watch, which allows no message either.
            if (way.way == std::string("a menu")) way.leave(sheet, codepage);
            else EXPECT_TRUE(AnswerMessageBox([&] { way.leave(sheet, codepage); }).isEmpty()) << way.way;
            Settle();
            if (!way.closes) sheet.OkButton()->click();
            EXPECT_FALSE(sheet.isVisible()) << way.way;
        });
        EXPECT_EQ(SettingLink(stored.Reload(), u"SanitiseCodepage").source, u"20127") << way.way;
    }
}

// The box never hears that it was left: the page change judges it.
TEST_F(GeneralPageUiTest, ChoosingTheOtherPageJudgesTheCodepageBox) {
    const standin::DocumentClass after = Run([](SettingsSheet& sheet) {
        QLineEdit* codepage = Edit(sheet, res::kEditCodepage);
        codepage->selectAll();
        TypeInto(codepage, "99999");
        const QString message = AnswerMessageBox([&] { sheet.Navigation()->setCurrentRow(1); });
        EXPECT_EQ(message, "Invalid Codepage, please refer to the Userguide.");
        EXPECT_EQ(sheet.ActivePage(), 0u) << "the sheet stays on the General page";
        TypeInto(codepage, "20127");
        sheet.Navigation()->setCurrentRow(1);
        EXPECT_EQ(sheet.ActivePage(), 1u);
        // The Data Mapping page asks about its required fields: they are ignored.
        WhenShown([] { return ActiveTaskDialog(); },
                  [](QWidget* dialog) {
                      static_cast<CXTaskDialog*>(dialog)->Control(542)->setFocus();
                      QTest::keyClick(dialog, Qt::Key_Return);
                  });
        sheet.OkButton()->click();
        EXPECT_FALSE(sheet.isVisible());
    });
    EXPECT_EQ(SettingLink(after, u"SanitiseCodepage").source, u"20127");
}

TEST_F(GeneralPageUiTest, ClickingOkOnARefusedCodepageAsksOnceAndKeepsTheSheetOpen) {
    const standin::DocumentClass before = stored_.Reload();
    const standin::DocumentClass after = Run([](SettingsSheet& sheet) {
        TypeInto(Edit(sheet, res::kEditCodepage), "99999");
        int messages = 0;
        const QString message = AnswerMessageBox([&] { QTest::mouseClick(sheet.OkButton(), Qt::LeftButton); });
        messages += message.isEmpty() ? 0 : 1;
        Settle();
        EXPECT_EQ(messages, 1);
        EXPECT_TRUE(sheet.isVisible()) << "the refused code page keeps the sheet open";
        sheet.CancelButton()->click();
    });
    EXPECT_EQ(after, before);
}

TEST_F(GeneralPageUiTest, AClickThatTakesTheFocusFromARefusedCodepageDoesNothingElse) {
    Run([](SettingsSheet& sheet) {
        QLineEdit* codepage = Edit(sheet, res::kEditCodepage);
        TypeInto(codepage, "0");
        QPushButton* serverSource = Button(sheet, res::kButtonServerNameSource);
        const QString message = AnswerMessageBox([&] { QTest::mouseClick(serverSource, Qt::LeftButton); });
        Settle();
        EXPECT_EQ(message, "Invalid Codepage, please refer to the Userguide.");
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "no menu opened";
        EXPECT_TRUE(codepage->hasFocus());
        sheet.CancelButton()->click();
    });
}

TEST_F(GeneralPageUiTest, SourceMenusOfferIndexFieldsAndHostValuesAndStoreTheChoice) {
    const standin::DocumentClass after = Run([](SettingsSheet& sheet) {
        QPushButton* passwordSource = Button(sheet, res::kButtonPasswordSource);
        EXPECT_EQ(ReadMenu([&] { passwordSource->click(); }),
                  (std::vector<QString>{"[x] Text Constant", "No Mapping", "Document Index Fields",
                                        "  Invoice Number", "  Supplier", "  Invoice Date", "  Description",
                                        "Kofax Capture Values", "  First Page Original File Name",
                                        "  Batch Name"}));

        ChooseFromMenu([&] { passwordSource->click(); }, {"Document Index Fields", "Supplier"});
        QLineEdit* password = Edit(sheet, res::kEditPassword);
        EXPECT_EQ(password->text(), "Supplier");
        EXPECT_FALSE(password->isEnabled());
        EXPECT_EQ(password->echoMode(), QLineEdit::Normal) << "a field name is shown in plain letters";
        const std::vector<QString> checked = ReadMenu([&] { passwordSource->click(); });
        EXPECT_EQ(checked[0], "Text Constant");
        EXPECT_EQ(checked[4], "  [x] Supplier");

        ChooseFromMenu([&] { Button(sheet, res::kButtonApiLibrarySource)->click(); },
                       {"Kofax Capture Values", "Batch Name"});
        EXPECT_EQ(Edit(sheet, res::kEditApiLibrary)->text(), "Batch Name");
        EXPECT_FALSE(Edit(sheet, res::kEditApiLibrary)->isEnabled());

        ChooseFromMenu([&] { Button(sheet, res::kButtonUserNameSource)->click(); }, {"No Mapping"});
        EXPECT_EQ(Edit(sheet, res::kEditUserName)->text(), "");
        EXPECT_FALSE(Edit(sheet, res::kEditUserName)->isEnabled());

        ChooseFromMenu([&] { Button(sheet, res::kButtonServerNameSource)->click(); }, {"Text Constant"});
        EXPECT_EQ(Edit(sheet, res::kEditServerName)->text(), "") << "a typed text is emptied";
        EXPECT_TRUE(Edit(sheet, res::kEditServerName)->isEnabled());

        ChooseFromMenu([&] { passwordSource->click(); }, {"Text Constant"});
        EXPECT_TRUE(password->isEnabled());
        EXPECT_EQ(password->echoMode(), QLineEdit::Password);
        TypeInto(password, "new");
        sheet.OkButton()->click();
    });
    EXPECT_EQ(SettingLink(after, u"password"), (LinkRecord{u"new", kfx::KFX_REL_TEXTCONSTANT, u"password"}));
    EXPECT_EQ(SettingLink(after, u"APILibrary"), (LinkRecord{u"Batch Name", kfx::KFX_REL_VARIABLE, u"APILibrary"}));
    EXPECT_EQ(SettingLink(after, u"username"), (LinkRecord{u"", kfx::KFX_REL_UNDEFINED_LINK, u"username"}));
    EXPECT_EQ(SettingLink(after, u"serverName"), (LinkRecord{u"", kfx::KFX_REL_TEXTCONSTANT, u"serverName"}));
}

TEST_F(GeneralPageUiTest, ChoosingASourceKeepsTheInstanceNameBeingTyped) {
    const standin::DocumentClass after = Run([](SettingsSheet& sheet) {
        QLineEdit* instance = Edit(sheet, res::kEditInstanceName);
        instance->clear();
        TypeInto(instance, "Renamed");
        ChooseFromMenu([&] { Button(sheet, res::kButtonCodepageSource)->click(); }, {"No Mapping"});
        EXPECT_EQ(instance->text(), "Renamed");
        sheet.OkButton()->click();
    });
    EXPECT_EQ(after.releaseScriptName, u"Renamed");
    EXPECT_EQ(SettingLink(after, u"SanitiseCodepage").sourceType, kfx::KFX_REL_UNDEFINED_LINK);
}

TEST_F(GeneralPageUiTest, CancelEscapeAndTheCloseBoxWriteNothing) {
    const standin::DocumentClass before = stored_.Reload();
    const std::function<void(SettingsSheet&)> closers[] = {
        [](SettingsSheet& sheet) { sheet.CancelButton()->click(); },
        [](SettingsSheet& sheet) { QTest::keyClick(&sheet, Qt::Key_Escape); },
        [](SettingsSheet& sheet) { sheet.close(); },
    };
    for (const auto& close : closers) {
        const standin::DocumentClass after = Run([&close](SettingsSheet& sheet) {
            QLineEdit* instance = Edit(sheet, res::kEditInstanceName);
            instance->clear();
            TypeInto(instance, "Renamed");
            TypeInto(Edit(sheet, res::kEditCodepage), "0");  // refused, but nobody asks any more
            EXPECT_EQ(AnswerMessageBox([&] { close(sheet); }), "");
        });
        EXPECT_EQ(after, before);
    }
}

TEST_F(GeneralPageUiTest, OkOnTheGeneralPageSavesWithoutAskingForRequiredFields) {
    const standin::DocumentClass after = Run([](SettingsSheet& sheet) {
        EXPECT_EQ(sheet.ActivePage(), 0u);
        ExpectNoDialog([&] { sheet.OkButton()->click(); });
    });
    // Rewritten: the stored field links, the six settings, the three fixed links.
    ASSERT_EQ(after.links.size(), 2u + 6u + 3u);
    EXPECT_EQ(after.links[0], (LinkRecord{u"Invoice Number", kfx::KFX_REL_INDEXFIELD, u"AIP32.INVN32"}));
    EXPECT_EQ(after.links[1], (LinkRecord{u"Description", kfx::KFX_REL_INDEXFIELD, u"AIP33.DESC33"}));
    EXPECT_EQ(after.links[2], (LinkRecord{u"sqlite:db", kfx::KFX_REL_TEXTCONSTANT, u"serverName"}));
    EXPECT_EQ(after.links[5], (LinkRecord{u"APLIB", kfx::KFX_REL_TEXTCONSTANT, u"APILibrary"}));
    EXPECT_EQ(after.links[10], (LinkRecord{u"OriginalFileNameExt", kfx::KFX_REL_BATCHFIELD, u"OriginalFileNameExt"}));
    EXPECT_EQ(after.releaseScriptName, u"System21 export");
}

TEST_F(GeneralPageUiTest, TheVersionIsShownOnlyWhenItCanBeRead) {
    kfx::ComPtr<kfx::IReleaseSetupData> setupData(stored_.OpenSetupData().Get());
    for (const bool readable : {true, false}) {
        SetupModel model(setupData);
        model.BuildFieldCatalogue();
        SettingsSheet sheet(QStringLiteral("Title"), model, [](auto&&...) { return 1; }, [readable]() -> std::optional<ModuleVersion> {
            if (!readable) return std::nullopt;
            return ModuleVersion{1, 0, 0};
        });
        sheet.show();
        auto* caption = static_cast<QLabel*>(sheet.GeneralPage()->Control(res::kLabelVersionCaption));
        auto* version = static_cast<QLabel*>(sheet.GeneralPage()->Control(res::kLabelVersionText));
        EXPECT_EQ(caption->isVisible(), readable);
        EXPECT_EQ(version->isVisible(), readable);
        if (readable) {
            EXPECT_EQ(version->text(), "1.0.0");
        }
        sheet.reject();
    }
}

TEST_F(GeneralPageUiTest, TheComponentsOwnVersionIsTheBuiltOne) {
    Run([](SettingsSheet& sheet) {
        auto* version = static_cast<QLabel*>(sheet.GeneralPage()->Control(res::kLabelVersionText));
        EXPECT_TRUE(version->isVisible());
        EXPECT_EQ(version->text(), VELDMARK_PROJECT_VERSION);
        EXPECT_EQ(static_cast<QLabel*>(sheet.GeneralPage()->Control(res::kLabelBatchClassName))->text(), "AP Invoices");
        EXPECT_EQ(static_cast<QLabel*>(sheet.GeneralPage()->Control(res::kLabelDocumentClassName))->text(),
                  "Supplier Invoice");
        sheet.CancelButton()->click();
    });
}

}  // namespace
}  // namespace veldmark::uitest
