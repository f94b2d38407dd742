// What each message of a running task dialog answers and asks of its
// controls, through controls that only record.
#include "setup/task_dialog/task_dialog_messages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace veldmark {
namespace {

class FakeControls final : public TaskDialogControls {
public:
    bool PressButtonLater(int id) override {
        calls.push_back("press " + std::to_string(id));
        return buttons.contains(id);
    }
    void EnableButton(int id, bool enabled) override { calls.push_back("enable " + Describe(id, enabled)); }
    void SetElevationRequired(int id, bool required) override { calls.push_back("shield " + Describe(id, required)); }
    void CheckRadio(int id) override { calls.push_back("radio " + std::to_string(id)); }
    void EnableRadio(int id, bool enabled) override { calls.push_back("enable radio " + Describe(id, enabled)); }
    void SetVerification(bool checked, bool focus) override {
        calls.push_back(std::string("verification ") + (checked ? "on" : "off") + (focus ? " focused" : ""));
    }
    bool HasControl(TaskControlKind kind) const override { return kinds.contains(kind); }
    void SetProgressMarquee(bool marquee) override { range = marquee ? std::pair{0, 0} : std::pair{0, 100}; }
    void SetProgressState(ProgressState state) override { this->state = state; }
    std::pair<int, int> ProgressRange() const override { return range; }
    void SetProgressRange(int minimum, int maximum) override { range = {minimum, maximum}; }
    int ProgressPosition() const override { return position; }
    void SetProgressPosition(int value) override { position = value; }
    void SetElementText(TaskControlKind element, const kfx::Text& text) override { texts.emplace_back(element, text); }
    void SetIcon(bool main, const TaskDialogIcon& icon, bool useHandle) override {
        calls.push_back(std::string(main ? "main" : "footer") + " icon " +
                        (useHandle ? "handle" : std::to_string(icon.resourceId)));
    }

    static std::string Describe(int id, bool on) { return std::to_string(id) + (on ? " on" : " off"); }

    std::set<int> buttons;
    std::set<TaskControlKind> kinds;
    std::vector<std::string> calls;
    std::pair<int, int> range{0, 100};
    int position = 0;
    ProgressState state = ProgressState::Normal;
    std::vector<std::pair<TaskControlKind, kfx::Text>> texts;
};

class TaskDialogMessagesTest : public ::testing::Test {
protected:
    std::intptr_t Send(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
        return AnswerTaskDialogMessage(config_, controls_, message, wParam, lParam);
    }

    TaskDialogConfig config_;
    FakeControls controls_;
};

TEST_F(TaskDialogMessagesTest, TheProgressBarAnswersItsPreviousRangeAndPositionOnlyWhenItExists) {
    EXPECT_EQ(Send(td::kSetProgressBarRange, 0, 10 | (50 << 16)), 0) << "no bar";
    EXPECT_EQ(Send(td::kSetProgressBarPos, 30, 0), 0);
    EXPECT_EQ(controls_.range, (std::pair{0, 100}));

    controls_.kinds.insert(TaskControlKind::ProgressBar);
    EXPECT_EQ(Send(td::kSetProgressBarRange, 0, 10 | (50 << 16)), 0 | (100 << 16));
    EXPECT_EQ(controls_.range, (std::pair{10, 50}));
    EXPECT_EQ(Send(td::kSetProgressBarPos, 30, 0), 10) << "below the range the minimum is answered";
    EXPECT_EQ(Send(td::kSetProgressBarPos, 40, 0), 30);
    EXPECT_EQ(Send(td::kSetProgressBarState, 2, 0), 1);
    EXPECT_EQ(controls_.state, ProgressState::Error);
    Send(td::kSetProgressBarState, 3, 0);
    EXPECT_EQ(controls_.state, ProgressState::Paused);
    EXPECT_EQ(Send(td::kSetMarqueeProgressBar, 1, 30), 1);
    EXPECT_EQ(controls_.range, (std::pair{0, 0}));
    EXPECT_EQ(Send(td::kSetMarqueeProgressBar, 0, 0), 0);
}

TEST_F(TaskDialogMessagesTest, ElementTextsGoOnlyToElementsThatExist) {
    controls_.kinds = {TaskControlKind::Content};
    const kfx::Text text = u"New content";
    const auto pointer = reinterpret_cast<std::intptr_t>(text.c_str());
    EXPECT_EQ(Send(td::kSetElementText, td::kElementContent, pointer), 1);
    EXPECT_EQ(Send(td::kSetElementText, td::kElementFooter, pointer), 0);
    EXPECT_EQ(Send(td::kUpdateElementText, td::kElementFooter, pointer), 1) << "the update answers 1 regardless";
    EXPECT_EQ(Send(td::kSetElementText, 9, pointer), 0);
    EXPECT_EQ(Send(td::kSetElementText, td::kElementContent, 0), 1);
    ASSERT_EQ(controls_.texts.size(), 2u);
    EXPECT_EQ(controls_.texts[0], (std::pair{TaskControlKind::Content, text}));
    EXPECT_EQ(controls_.texts[1], (std::pair{TaskControlKind::Content, kfx::Text()}));
}

TEST_F(TaskDialogMessagesTest, ButtonsRadiosVerificationAndIconsAreAskedOfTheView) {
    controls_.buttons = {100};
    EXPECT_EQ(Send(td::kClickButton, 100, 0), 1);
    EXPECT_EQ(Send(td::kClickButton, 7, 0), 0) << "no such button";
    EXPECT_EQ(Send(td::kClickRadioButton, 201, 0), 0);
    Send(td::kEnableButton, 100, 0);
    Send(td::kEnableRadioButton, 200, 1);
    Send(td::kClickVerification, 1, 1);  // no box: nothing
    controls_.kinds.insert(TaskControlKind::VerificationCheckBox);
    Send(td::kClickVerification, 1, 1);
    Send(td::kSetButtonElevationRequiredState, 100, 1);
    Send(td::kUpdateIcon, td::kIconFooter, td::kWarningIcon);
    Send(td::kUpdateIcon, 5, td::kWarningIcon);
    config_.flags = td::kUseIconHandleMain;
    Send(td::kUpdateIcon, td::kIconMain, 0x1234);
    EXPECT_EQ(Send(td::kNavigatePage, 0, 0), 0);
    EXPECT_EQ(controls_.calls, (std::vector<std::string>{
                                   "press 100", "press 7", "radio 201", "enable 100 off", "enable radio 200 on",
                                   "verification on focused", "shield 100 on",
                                   "footer icon " + std::to_string(td::kWarningIcon), "main icon handle"}));
}

}  // namespace
}  // namespace veldmark
