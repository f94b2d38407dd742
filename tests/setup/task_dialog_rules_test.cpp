// The emulation's run-time rules and its link markup, driven through a
// window that only records, without a toolkit.
#include "setup/task_dialog/task_dialog_rules.h"

#include <gtest/gtest.h>

#include <vector>

#include "setup/task_dialog/hyperlink_markup.h"

namespace veldmark {
namespace {

class FakeWindow final : public TaskDialogWindow {
public:
    std::intptr_t Send(std::uint32_t, std::uintptr_t, std::intptr_t) override { return 0; }
    WindowHandle Handle() override { return this; }
};

struct Heard {
    TaskDialogWindow* window;
    std::uint32_t notification;
    std::uintptr_t wParam;
};

struct Recorder {
    std::vector<Heard> heard;
    kfx::HRESULT answer = kfx::HR_S_OK;
};

kfx::HRESULT Record(TaskDialogWindow* window, std::uint32_t notification, std::uintptr_t wParam, std::intptr_t,
                    std::intptr_t data) {
    auto* recorder = reinterpret_cast<Recorder*>(data);
    recorder->heard.push_back({window, notification, wParam});
    return recorder->answer;
}

class TaskDialogRulesTest : public ::testing::Test {
protected:
    TaskDialogRulesTest() {
        config_.callback = Record;
        config_.callbackData = reinterpret_cast<std::intptr_t>(&recorder_);
    }

    std::vector<std::uint32_t> Notifications() const {
        std::vector<std::uint32_t> kinds;
        for (const Heard& heard : recorder_.heard) kinds.push_back(heard.notification);
        return kinds;
    }

    TaskDialogConfig config_;
    Recorder recorder_;
    FakeWindow window_;
};

TEST_F(TaskDialogRulesTest, StartNotifiesAroundWhatTheViewPreparesAndNamesTheWindow) {
    TaskDialogRules rules(config_, window_);
    rules.Start([this] { recorder_.heard.push_back({nullptr, 999, 0}); });
    rules.Destroyed();
    EXPECT_EQ(Notifications(), (std::vector<std::uint32_t>{td::kDialogConstructed, 999, td::kCreated, td::kDestroyed}));
    EXPECT_EQ(recorder_.heard.front().window, &window_);
}

TEST_F(TaskDialogRulesTest, CancelNeedsTheFlagOrACancelButtonAndTheCallbackMayRefuseAPress) {
    const struct {
        std::uint32_t flags;
        std::uint32_t commonButtons;
        bool cancellable;
    } cases[] = {{0, td::kOkButton, false},
                 {td::kAllowDialogCancellation, td::kOkButton, true},
                 {0, td::kOkButton | td::kCancelButton, true}};
    for (const auto& c : cases) {
        config_.flags = c.flags;
        config_.commonButtons = c.commonButtons;
        recorder_.heard.clear();
        TaskDialogRules rules(config_, window_);
        EXPECT_EQ(rules.IsCancellable(), c.cancellable);
        EXPECT_EQ(rules.CancelRequested(), c.cancellable);
        // A refused cancel is not even reported.
        EXPECT_EQ(recorder_.heard.size(), c.cancellable ? 1u : 0u);
    }
    TaskDialogRules rules(config_, window_);
    recorder_.heard.clear();
    EXPECT_TRUE(rules.ButtonClicked(1001));
    recorder_.answer = kfx::HR_S_FALSE;
    EXPECT_FALSE(rules.ButtonClicked(1001)) << "the callback keeps the dialog open";
    EXPECT_EQ(recorder_.heard.back().notification, td::kButtonClicked);
    EXPECT_EQ(recorder_.heard.back().wParam, 1001u);
}

TEST_F(TaskDialogRulesTest, TheFirstRadioIsCheckedUnlessAnotherOrNoneIsAskedFor) {
    const std::vector<LabelledButton> radios = {{200, u"Keep"}, {201, u"Replace"}};
    EXPECT_EQ(TaskDialogRules(config_, window_).InitialRadio(radios), 200);
    EXPECT_EQ(TaskDialogRules(config_, window_).InitialRadio({}), std::nullopt);
    config_.defaultRadioButton = 201;
    EXPECT_EQ(TaskDialogRules(config_, window_).InitialRadio(radios), 201);
    config_.flags = td::kNoDefaultRadioButton;
    EXPECT_EQ(TaskDialogRules(config_, window_).InitialRadio(radios), std::nullopt);
}

TEST_F(TaskDialogRulesTest, TheTimerRestartsOnFalseAndExpansionIsReportedAfterTheNewLayout) {
    config_.flags = td::kExpandedByDefault;
    TaskDialogRules rules(config_, window_);
    EXPECT_FALSE(rules.TimerElapsed(200));
    EXPECT_EQ(recorder_.heard.back().wParam, 200u);
    recorder_.answer = kfx::HR_S_FALSE;
    EXPECT_TRUE(rules.TimerElapsed(400));
    recorder_.answer = kfx::HR_S_OK;

    EXPECT_TRUE(rules.Expanded());
    bool expandedWhileLaidOut = true;
    std::size_t heardBeforeLayout = 0;
    rules.ToggleExpanded([&] {
        expandedWhileLaidOut = rules.Expanded();
        heardBeforeLayout = recorder_.heard.size();
    });
    EXPECT_FALSE(expandedWhileLaidOut);
    EXPECT_EQ(recorder_.heard.size(), heardBeforeLayout + 1);
    EXPECT_EQ(recorder_.heard.back().notification, td::kExpandoButtonClicked);
    EXPECT_EQ(recorder_.heard.back().wParam, 0u);
}

TEST(TaskDialogEnterTest, PressesTheFocusedButtonElseTheDefaultOne) {
    TaskDialogLayout layout;
    layout.controls = {{TaskControlKind::RadioButton, 200, {}, u"Keep", false, false},
                       {TaskControlKind::CommandLink, 101, {}, u"Map", false, false},
                       {TaskControlKind::PushButton, 1, {}, u"OK", true, false}};
    EXPECT_EQ(ButtonForEnter(layout, 101), 101);
    EXPECT_EQ(ButtonForEnter(layout, 200), 1) << "a focused radio button is no button";
    EXPECT_EQ(ButtonForEnter(layout, std::nullopt), 1);
    layout.controls.back().isDefault = false;
    EXPECT_EQ(ButtonForEnter(layout, std::nullopt), std::nullopt);
}

TEST(HyperlinkMarkupTest, SplitsLinksFromPlainText) {
    const struct {
        kfx::Text markup;
        std::vector<MarkupRun> runs;
    } cases[] = {
        {u"plain", {{u"plain", u"", false}}},
        {u"See <A HREF=\"log\">the log</A>.", {{u"See ", u"", false}, {u"the log", u"log", true}, {u".", u"", false}}},
        {u"<A HREF=x>a</A><A HREF=y>b</A>", {{u"a", u"x", true}, {u"b", u"y", true}}},
        {u"open <A HREF=x>to the end", {{u"open ", u"", false}, {u"to the end", u"x", true}}},
        {u"no <A HREF=x end", {{u"no <A HREF=x end", u"", false}}},
        {u"", {}},
    };
    for (const auto& c : cases) {
        const std::vector<MarkupRun> runs = ParseHyperlinkMarkup(c.markup);
        ASSERT_EQ(runs.size(), c.runs.size()) << std::string(c.markup.begin(), c.markup.end());
        for (std::size_t index = 0; index < runs.size(); ++index) {
            EXPECT_EQ(runs[index].text, c.runs[index].text);
            EXPECT_EQ(runs[index].target, c.runs[index].target);
            EXPECT_EQ(runs[index].link, c.runs[index].link);
        }
    }
}

}  // namespace
}  // namespace veldmark
