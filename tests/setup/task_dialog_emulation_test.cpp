// The task dialog emulation run with configurations of its own: what it
// shows, the notifications it raises and the messages it answers.
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "setup/resource_ids.h"
#include "setup/task_dialog/qt/command_link.h"
#include "setup/task_dialog/qt/cx_task_dialog.h"
#include "setup/task_dialog/qt/icon_static.h"
#include "setup/task_dialog/qt/qt_task_dialog_platform.h"
#include "setup/task_dialog/required_field_prompt.h"
#include "ui_test_support.h"

namespace veldmark::uitest {
namespace {

// The callback's side: records every notification and answers as told.
struct Listener {
    std::vector<std::uint32_t> notifications;
    std::vector<std::pair<std::uint32_t, std::uintptr_t>> values;
    kfx::Text hyperlink;
    int keepOpenOnClicks = 0;  // this many button clicks are answered with 1
    bool resetTicks = false;
    QElapsedTimer clock;
    std::vector<qint64> tickTimes;  // when each tick arrived, by our own clock

    static kfx::HRESULT Callback(TaskDialogWindow*, std::uint32_t notification, std::uintptr_t wParam,
                                 std::intptr_t lParam, std::intptr_t refData) {
        auto* self = reinterpret_cast<Listener*>(refData);
        self->notifications.push_back(notification);
        self->values.emplace_back(notification, wParam);
        if (notification == td::kHyperlinkClicked) self->hyperlink = reinterpret_cast<const char16_t*>(lParam);
        if (notification == td::kCreated) self->clock.start();
        if (notification == td::kTimer) {
            self->tickTimes.push_back(self->clock.elapsed());
            return self->resetTicks ? kfx::HR_S_FALSE : kfx::HR_S_OK;
        }
        if (notification == td::kButtonClicked && self->keepOpenOnClicks > 0) {
            --self->keepOpenOnClicks;
            return kfx::HR_S_FALSE;
        }
        return kfx::HR_S_OK;
    }
};

struct Outcome {
    kfx::HRESULT result = kfx::HR_E_FAIL;
    int pressed = -100;
    int radio = -100;
    int verification = -100;
};

class TaskDialogEmulationTest : public UiTest {
protected:
    void SetUp() override {
        config_.instance = &ComponentResourceModule();
        config_.callback = &Listener::Callback;
        config_.callbackData = reinterpret_cast<std::intptr_t>(&listener_);
        QApplication::setEffectEnabled(Qt::UI_General, false);
    }

    // Runs the dialog; drive gets it once it shows and must end it.
    Outcome Run(const std::function<void(CXTaskDialog&)>& drive) {
        WhenShown([] { return ActiveTaskDialog(); },
                  [&drive](QWidget* dialog) {
                      Settle();
                      drive(*static_cast<CXTaskDialog*>(dialog));
                      if (dialog->isVisible()) {
                          ADD_FAILURE() << "the dialog was left open";
                          static_cast<QDialog*>(dialog)->done(0);
                      }
                  });
        Outcome outcome;
        outcome.result = CXTaskDialog::Run(config_, &outcome.pressed, &outcome.radio, &outcome.verification);
        return outcome;
    }

    TaskDialogConfig config_;
    Listener listener_;
};

TEST_F(TaskDialogEmulationTest, ThePromptShowsTwoCommandLinksThatOnlyAChoiceEnds) {
    QtTaskDialogPlatform platform;
    int choice = 0;
    WhenShown([] { return ActiveTaskDialog(); },
              [](QWidget* widget) {
                  auto& dialog = *static_cast<CXTaskDialog*>(widget);
                  Settle();
                  EXPECT_EQ(dialog.windowTitle(), "Required field not Mapped");
                  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint) << "no close box, no system menu";
                  EXPECT_FALSE(static_cast<CXTaskDialogIconStatic*>(dialog.ControlOf(TaskControlKind::MainIcon))
                                   ->Pixmap()
                                   .isNull());
                  auto* instruction = static_cast<QLabel*>(dialog.ControlOf(TaskControlKind::MainInstruction));
                  EXPECT_EQ(instruction->palette().color(QPalette::WindowText), QColor(0, 51, 153));
                  EXPECT_EQ(QFontInfo(instruction->font()).pixelSize(), QFontInfo(dialog.font()).pixelSize() * 3 / 2);
                  EXPECT_EQ(dialog.ControlOf(TaskControlKind::PushButton), nullptr);
                  EXPECT_TRUE(dialog.Layout().dividers.empty()) << "no button row, so no grey area";
                  auto* map = static_cast<CXTaskDialogCommandLink*>(dialog.Control(kButtonMapRequired));
                  EXPECT_EQ(map->text(), "Map Required Fields");
                  EXPECT_EQ(QApplication::focusWidget(), map);

                  QTest::keyClick(&dialog, Qt::Key_Escape);
                  dialog.close();
                  EXPECT_TRUE(dialog.isVisible());
                  QTest::mouseClick(dialog.Control(kButtonIgnoreRequirement), Qt::LeftButton);
              });
    choice = PromptRequiredField(platform, u"Required field not Mapped", u"Map them?", u"Map Required Fields\nBack",
                                 u"Ignore Requirement\nClose");
    EXPECT_EQ(choice, 2);
}

TEST_F(TaskDialogEmulationTest, NotificationsComeInOrderAndACallbackMayKeepTheDialogOpen) {
    const TaskDialogButton buttons[] = {{100, u"Go"}, {101, u"Stop"}};
    const TaskDialogButton radios[] = {{200, u"Fast"}, {201, u"Slow"}};
    config_.buttons = buttons;
    config_.buttonCount = 2;
    config_.radioButtons = radios;
    config_.radioButtonCount = 2;
    config_.defaultRadioButton = 201;
    config_.verificationText = u"Do not ask again";
    config_.flags = td::kVerificationFlagChecked;
    config_.content = u"Which way?";
    listener_.keepOpenOnClicks = 1;
    const Outcome outcome = Run([](CXTaskDialog& dialog) {
        EXPECT_TRUE(static_cast<QRadioButton*>(dialog.Control(201))->isChecked());
        EXPECT_TRUE(static_cast<QCheckBox*>(dialog.ControlOf(TaskControlKind::VerificationCheckBox))->isChecked());
        QTest::mouseClick(dialog.Control(200), Qt::LeftButton);
        QTest::mouseClick(dialog.ControlOf(TaskControlKind::VerificationCheckBox), Qt::LeftButton);
        QTest::mouseClick(dialog.Control(101), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible()) << "the callback answered 1";
        QTest::mouseClick(dialog.Control(100), Qt::LeftButton);
    });
    EXPECT_EQ(outcome.result, kfx::HR_S_OK);
    EXPECT_EQ(outcome.pressed, 100);
    EXPECT_EQ(outcome.radio, 200);
    EXPECT_EQ(outcome.verification, 0);
    EXPECT_EQ(listener_.notifications,
              (std::vector<std::uint32_t>{td::kDialogConstructed, td::kCreated, td::kRadioButtonClicked,
                                          td::kVerificationClicked, td::kButtonClicked, td::kButtonClicked,
                                          td::kDestroyed}));
    EXPECT_EQ(listener_.values[2].second, 200u);
    EXPECT_EQ(listener_.values[4].second, 101u);
}

TEST_F(TaskDialogEmulationTest, AnswersTheMessagesItSupports) {
    const TaskDialogButton buttons[] = {{100, u"Go"}};
    const TaskDialogButton radios[] = {{200, u"Fast"}, {201, u"Slow"}};
    config_.buttons = buttons;
    config_.buttonCount = 1;
    config_.radioButtons = radios;
    config_.radioButtonCount = 2;
    config_.verificationText = u"Remember";
    config_.content = u"Working";
    config_.flags = td::kShowProgressBar;
    const Outcome outcome = Run([](CXTaskDialog& dialog) {
        const kfx::Text content = u"Half done";
        EXPECT_EQ(dialog.Send(td::kSetElementText, td::kElementContent, reinterpret_cast<std::intptr_t>(content.c_str())), 1);
        EXPECT_EQ(static_cast<QLabel*>(dialog.ControlOf(TaskControlKind::Content))->text(), "Half done");
        EXPECT_EQ(dialog.Send(td::kSetElementText, td::kElementFooter, reinterpret_cast<std::intptr_t>(content.c_str())), 0)
            << "there is no footer";

        auto* bar = static_cast<QProgressBar*>(dialog.ControlOf(TaskControlKind::ProgressBar));
        EXPECT_EQ(dialog.Send(td::kSetProgressBarRange, 0, 10 | (50 << 16)), 0 | (100 << 16));
        EXPECT_EQ(bar->minimum(), 10);
        EXPECT_EQ(bar->maximum(), 50);
        EXPECT_EQ(dialog.Send(td::kSetProgressBarPos, 30, 0), 10);
        EXPECT_EQ(bar->value(), 30);
        EXPECT_EQ(dialog.Send(td::kSetMarqueeProgressBar, 1, 30), 1);
        EXPECT_EQ(bar->maximum(), 0) << "a busy bar";

        dialog.Send(td::kClickRadioButton, 201, 0);
        EXPECT_TRUE(static_cast<QRadioButton*>(dialog.Control(201))->isChecked());
        EXPECT_FALSE(static_cast<QRadioButton*>(dialog.Control(200))->isChecked());
        dialog.Send(td::kEnableRadioButton, 200, 0);
        EXPECT_FALSE(dialog.Control(200)->isEnabled());
        dialog.Send(td::kClickVerification, 1, 0);
        EXPECT_TRUE(static_cast<QCheckBox*>(dialog.ControlOf(TaskControlKind::VerificationCheckBox))->isChecked());
        dialog.Send(td::kEnableButton, 100, 0);
        EXPECT_FALSE(dialog.Control(100)->isEnabled());
        dialog.Send(td::kEnableButton, 100, 1);
        EXPECT_EQ(dialog.Send(td::kNavigatePage, 0, 0), 0);

        EXPECT_EQ(dialog.Send(td::kClickButton, 100, 0), 1);
        EXPECT_TRUE(dialog.isVisible()) << "the click is posted";
        Settle();
    });
    EXPECT_EQ(outcome.pressed, 100);
    EXPECT_EQ(outcome.radio, 201);
    EXPECT_EQ(outcome.verification, 1);
}

TEST_F(TaskDialogEmulationTest, HyperlinksShowAsLinksAndReportTheirTarget) {
    config_.flags = td::kEnableHyperlinks | td::kAllowDialogCancellation;
    config_.content = u"see <A HREF=\"https://example.org/help\">this</A>";
    Run([](CXTaskDialog& dialog) {
        auto* content = static_cast<QLabel*>(dialog.ControlOf(TaskControlKind::Content));
        EXPECT_EQ(content->textFormat(), Qt::RichText);
        EXPECT_TRUE(content->text().contains("<a href=\"https://example.org/help\">this</a>"));
        emit content->linkActivated("https://example.org/help");
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(listener_.hyperlink, u"https://example.org/help");
}

TEST_F(TaskDialogEmulationTest, CancellationEndsWithCancelWhenItIsAllowed) {
    config_.flags = td::kAllowDialogCancellation;
    config_.mainInstruction = u"Stop?";
    const Outcome byEscape = Run([](CXTaskDialog& dialog) {
        EXPECT_TRUE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(byEscape.pressed, td::kIdCancel);
    const Outcome byCloseBox = Run([](CXTaskDialog& dialog) { dialog.close(); });
    EXPECT_EQ(byCloseBox.pressed, td::kIdCancel);
    const Outcome byOk = Run([](CXTaskDialog& dialog) {
        QPushButton* ok = static_cast<QPushButton*>(dialog.Control(td::kIdOk));
        ASSERT_NE(ok, nullptr) << "a dialog asking for no button gets OK";
        EXPECT_TRUE(ok->isDefault());
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(byOk.pressed, td::kIdOk);
}

TEST_F(TaskDialogEmulationTest, EnterPressesTheFocusedButtonOrElseTheDefaultOne) {
    config_.commonButtons = td::kYesButton | td::kNoButton;
    config_.defaultButton = td::kIdNo;
    config_.verificationText = u"Remember";
    const Outcome fromCheckBox = Run([](CXTaskDialog& dialog) {
        dialog.ControlOf(TaskControlKind::VerificationCheckBox)->setFocus();
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(fromCheckBox.pressed, td::kIdNo);
    EXPECT_EQ(fromCheckBox.verification, 0) << "Enter does not tick the box";
    const Outcome fromYes = Run([](CXTaskDialog& dialog) {
        dialog.Control(td::kIdYes)->setFocus();
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(fromYes.pressed, td::kIdYes);
}

TEST_F(TaskDialogEmulationTest, TheExpandButtonShowsTheInformationAndMovesWhatIsBelow) {
    config_.flags = td::kAllowDialogCancellation;
    config_.content = u"Short";
    config_.expandedInformation = u"Longer details";
    config_.commonButtons = td::kOkButton;
    Run([](CXTaskDialog& dialog) {
        QWidget* details = dialog.ControlOf(TaskControlKind::ExpandedInformation);
        auto* expand = static_cast<QPushButton*>(dialog.ControlOf(TaskControlKind::ExpandButton));
        QWidget* ok = dialog.Control(td::kIdOk);
        EXPECT_FALSE(details->isVisible());
        EXPECT_EQ(expand->text(), "See &details >>");
        const int okTop = ok->y();
        const int height = dialog.height();
        QTest::mouseClick(expand, Qt::LeftButton);
        EXPECT_TRUE(details->isVisible());
        EXPECT_EQ(expand->text(), "Hide &details <<");
        EXPECT_EQ(ok->y() - okTop, details->height() + 10);
        EXPECT_EQ(dialog.height() - height, details->height() + 10);
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    EXPECT_EQ(listener_.values[2], (std::pair<std::uint32_t, std::uintptr_t>{td::kExpandoButtonClicked, 1}));
}

TEST_F(TaskDialogEmulationTest, AMissingTitleIsTheProgramsNameAndAMissingStringShowsNothing) {
    config_.flags = td::kAllowDialogCancellation;
    Run([](CXTaskDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QFileInfo(QCoreApplication::applicationFilePath()).fileName());
        dialog.close();
    });

    config_.content = TaskDialogText::Resource(4711);
    Outcome outcome;
    outcome.result = CXTaskDialog::Run(config_, &outcome.pressed, &outcome.radio, &outcome.verification);
    EXPECT_TRUE(kfx::Failed(outcome.result));
    EXPECT_EQ(outcome.pressed, -100) << "nothing was shown";

    config_.content = u"fine";
    config_.mainIcon.resourceId = 4711;
    outcome.result = CXTaskDialog::Run(config_, &outcome.pressed, &outcome.radio, &outcome.verification);
    EXPECT_TRUE(kfx::Failed(outcome.result)) << "a main icon that cannot be loaded";
}

TEST_F(TaskDialogEmulationTest, TheCallbackTimerCountsFromTheStartOrFromTheLastReset) {
    config_.flags = td::kCallbackTimer | td::kAllowDialogCancellation;
    for (const bool reset : {false, true}) {
        listener_ = Listener{};
        listener_.resetTicks = reset;
        Run([this](CXTaskDialog& dialog) {
            EXPECT_TRUE(QTest::qWaitFor([this] { return listener_.tickTimes.size() >= 2; }, 5000));
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        std::vector<qint64> ticks;
        for (const auto& [notification, value] : listener_.values) {
            if (notification == td::kTimer) ticks.push_back(static_cast<qint64>(value));
        }
        ASSERT_GE(ticks.size(), 2u);
        const qint64 between = listener_.tickTimes[1] - listener_.tickTimes[0];
        // Counted from the start, the second tick includes the first one's time.
        const qint64 expected = reset ? between : listener_.tickTimes[1];
        EXPECT_NEAR(ticks[1], expected, 20) << reset;
    }
}

}  // namespace
}  // namespace veldmark::uitest
