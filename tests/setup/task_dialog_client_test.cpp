#include "setup/task_dialog/task_dialog_client.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "setup/resource_ids.h"
#include "setup/task_dialog/required_field_prompt.h"
#include "setup/task_dialog/task_dialog_texts.h"

namespace veldmark {
namespace {

// What a run of the dialog saw, copied while the configuration was alive.
struct SeenConfig {
    std::uint32_t flags = 0;
    std::uint16_t mainIcon = 0;
    kfx::Text title;
    kfx::Text instruction;
    std::vector<std::pair<int, kfx::Text>> buttons;
    int defaultButton = 0;
    WindowHandle parent = nullptr;
};

// A system without a task dialog of its own, whose emulation presses a
// chosen button; records what it was asked to show.
class ScriptedPlatform final : public TaskDialogPlatform {
public:
    kfx::HRESULT RunSystemDialog(const TaskDialogConfig&, int*, int*, int*) override {
        ++systemRuns;
        return systemResult;
    }
    kfx::HRESULT RunEmulation(const TaskDialogConfig& config, int* pressed, int* radio, int* verification) override {
        const auto text = [](const TaskDialogText& t) { return t.Pointer() ? kfx::Text(t.Pointer()) : kfx::Text(); };
        SeenConfig copy{config.flags, config.mainIcon.resourceId, text(config.windowTitle),
                        text(config.mainInstruction), {}, config.defaultButton, config.parent};
        for (std::uint32_t i = 0; i < config.buttonCount; ++i)
            copy.buttons.emplace_back(config.buttons[i].id, text(config.buttons[i].text));
        seen = copy;
        if (kfx::Failed(emulationResult)) return emulationResult;
        *pressed = pressButton;
        *radio = -1;
        *verification = 0;
        return kfx::HR_S_OK;
    }
    WindowHandle ActiveWindow() override { return activeWindow; }
    std::uint32_t ExchangeHelpContext(WindowHandle, std::uint32_t context) override {
        contexts.push_back(context);
        return 0;
    }
    void SendHelp(WindowHandle owner, const HelpInfo& info) override { help.emplace_back(owner, info); }
    ScreenPoint CursorPosition() override { return {12, 34}; }

    kfx::HRESULT systemResult = HresultFromWin32(td::kErrorModuleNotFound);
    kfx::HRESULT emulationResult = kfx::HR_S_OK;
    int pressButton = 0;
    int systemRuns = 0;
    WindowHandle activeWindow = reinterpret_cast<WindowHandle>(0x5eed);
    std::optional<SeenConfig> seen;
    std::vector<std::uint32_t> contexts;
    std::vector<std::pair<WindowHandle, HelpInfo>> help;
};

TEST(RequiredFieldPromptTest, AsksWithTwoCommandLinksOwnedByTheActiveWindow) {
    ScriptedPlatform platform;
    platform.pressButton = kButtonIgnoreRequirement;
    EXPECT_EQ(PromptRequiredField(platform, u"Title", u"Instruction", u"Map\nnote 1", u"Ignore\nnote 2"), 2);

    EXPECT_EQ(platform.systemRuns, 1) << "the system's dialog is tried first";
    ASSERT_TRUE(platform.seen);
    EXPECT_EQ(platform.seen->flags, td::kUseCommandLinks);
    EXPECT_EQ(platform.seen->mainIcon, res::kIconWarning);
    EXPECT_EQ(platform.seen->title, u"Title");
    EXPECT_EQ(platform.seen->instruction, u"Instruction");
    EXPECT_EQ(platform.seen->buttons,
              (std::vector<std::pair<int, kfx::Text>>{{541, u"Map\nnote 1"}, {542, u"Ignore\nnote 2"}}));
    EXPECT_EQ(platform.seen->defaultButton, 541);
    EXPECT_EQ(platform.seen->parent, platform.activeWindow);
    EXPECT_TRUE(platform.contexts.empty()) << "help context 0 is not published";
}

TEST(RequiredFieldPromptTest, AnythingButIgnoreIsMapAlsoWhenNoDialogCouldBeShown) {
    const struct {
        int pressed;
        kfx::HRESULT emulation;
        int expected;
    } cases[] = {
        {kButtonMapRequired, kfx::HR_S_OK, 1},
        {0, kfx::HR_S_OK, 1},
        {kButtonIgnoreRequirement, kfx::HR_E_FAIL, 1},
    };
    for (const auto& c : cases) {
        ScriptedPlatform platform;
        platform.pressButton = c.pressed;
        platform.emulationResult = c.emulation;
        EXPECT_EQ(PromptRequiredField(platform, u"t", u"i", u"m", u"g"), c.expected) << c.pressed;
    }
}

TEST(TaskDialogClientTest, TheSystemsOwnDialogIsUsedWhenItRuns) {
    ScriptedPlatform platform;
    platform.systemResult = kfx::HR_S_OK;
    CXTaskDialogMFCClient client(platform);
    EXPECT_EQ(client.RunModal(), kfx::HR_S_OK);
    EXPECT_FALSE(platform.seen) << "no emulation";
}

TEST(TaskDialogClientTest, AHelpContextIsPublishedToTheOwnerForTheRunAndRestored) {
    ScriptedPlatform platform;
    CXTaskDialogMFCClient client(platform);
    client.SetHelpContext(7);
    client.RunModal();
    // Published and restored around each of the two attempts.
    EXPECT_EQ(platform.contexts, (std::vector<std::uint32_t>{0x30007, 0, 0x30007, 0}));
}

// A client whose handlers record what reached them.
class RecordingClient final : public CXTaskDialogMFCClient {
public:
    using CXTaskDialogMFCClient::CXTaskDialogMFCClient;

    std::vector<std::string> calls;
    bool keepOpen = false;

protected:
    void OnDialogConstructed() override { calls.push_back("constructed"); }
    void OnCreated() override { calls.push_back("created"); }
    bool OnButtonClicked(int id) override {
        calls.push_back("button " + std::to_string(id));
        return keepOpen;
    }
    void OnRadioButtonClicked(int id) override { calls.push_back("radio " + std::to_string(id)); }
    void OnHyperlinkClicked(const kfx::Text& target) override {
        calls.push_back("link " + std::string(target.begin(), target.end()));
    }
    void OnExpandoButtonClicked(bool expanded) override { calls.push_back(expanded ? "expanded" : "collapsed"); }
    void OnVerificationClicked(bool checked) override { calls.push_back(checked ? "checked" : "unchecked"); }
    bool OnTimer(std::uint32_t milliseconds) override {
        calls.push_back("timer " + std::to_string(milliseconds));
        return true;
    }
    void OnNavigated() override { calls.push_back("navigated"); }
    void OnDestroyed() override { calls.push_back("destroyed"); }
};

class FakeDialogWindow final : public TaskDialogWindow {
public:
    std::intptr_t Send(std::uint32_t, std::uintptr_t, std::intptr_t) override { return 0; }
    WindowHandle Handle() override { return this; }
};

TEST(TaskDialogClientTest, TheDispatcherCallsTheHandlerOfEachNotificationAndAnswersForIt) {
    ScriptedPlatform platform;
    RecordingClient client(platform);
    FakeDialogWindow window;
    const TaskDialogConfig& config = client.Config();
    ASSERT_EQ(config.callback, &CXTaskDialogMFCClient::NotificationDispatcher);
    const auto send = [&](std::uint32_t code, std::uintptr_t w = 0, std::intptr_t l = 0) {
        return config.callback(&window, code, w, l, config.callbackData);
    };
    const kfx::Text target = u"https://example.org/help";

    EXPECT_EQ(send(td::kDialogConstructed), kfx::HR_S_OK);
    EXPECT_EQ(client.Dialog(), &window);
    EXPECT_EQ(send(td::kCreated), kfx::HR_S_OK);
    EXPECT_EQ(send(td::kButtonClicked, 541), kfx::HR_S_OK);
    client.keepOpen = true;
    EXPECT_EQ(send(td::kButtonClicked, 542), kfx::HR_S_FALSE) << "1 keeps the dialog open";
    EXPECT_EQ(send(td::kRadioButtonClicked, 7), kfx::HR_S_OK);
    EXPECT_EQ(send(td::kHyperlinkClicked, 0, reinterpret_cast<std::intptr_t>(target.c_str())), kfx::HR_S_OK);
    EXPECT_EQ(send(td::kExpandoButtonClicked, 1), kfx::HR_S_OK);
    EXPECT_EQ(send(td::kVerificationClicked, 0), kfx::HR_S_OK);
    EXPECT_EQ(send(td::kTimer, 400), kfx::HR_S_FALSE) << "1 resets the tick count";
    EXPECT_EQ(send(td::kNavigated), kfx::HR_S_OK);
    EXPECT_EQ(send(99), kfx::HR_S_OK);
    EXPECT_EQ(send(td::kDestroyed), kfx::HR_S_OK);
    EXPECT_EQ(client.Dialog(), nullptr);
    EXPECT_EQ(client.calls,
              (std::vector<std::string>{"constructed", "created", "button 541", "button 542", "radio 7",
                                        "link https://example.org/help", "expanded", "unchecked", "timer 400",
                                        "navigated", "destroyed"}));
}

TEST(TaskDialogClientTest, HelpGoesToTheOwnerWindowWithTheDialogAsItem) {
    ScriptedPlatform platform;
    CXTaskDialogMFCClient client(platform);
    FakeDialogWindow window;
    client.RunModal();  // the owner becomes the active window
    const TaskDialogConfig& config = client.Config();
    config.callback(&window, td::kDialogConstructed, 0, 0, config.callbackData);
    EXPECT_EQ(config.callback(&window, td::kHelp, 0, 0, config.callbackData), kfx::HR_S_OK);
    ASSERT_EQ(platform.help.size(), 1u);
    EXPECT_EQ(platform.help[0].first, platform.activeWindow);
    const HelpInfo& info = platform.help[0].second;
    EXPECT_EQ(info.contextType, HelpInfo::kContextWindow);
    EXPECT_EQ(info.item, window.Handle());
    EXPECT_EQ(info.controlId, 0);
    EXPECT_EQ(info.contextId, 0u);
    EXPECT_EQ(info.mousePosition.x, 12);
    EXPECT_EQ(info.mousePosition.y, 34);
}

TEST(TaskDialogTextsTest, HyperlinkMarkupIsRemovedForMeasuring) {
    const struct {
        const char16_t* text;
        const char16_t* plain;
    } cases[] = {
        {u"see <A HREF=\"https://x\">this</A>", u"see this"},
        {u"<A HREF=a>one</A> and <A HREF=b>two</A>", u"one and two"},
        {u"open <A HREF=\"never closed", u"open <A HREF=\"never closed"},
        {u"lower <a href=x>case</a>", u"lower <a href=x>case</a>"},
    };
    for (const auto& c : cases) EXPECT_EQ(StripHyperlinks(c.text), c.plain);
}

TEST(TaskDialogTextsTest, TextsComeFromTheConfigurationOrItsStringTable) {
    TaskDialogConfig config;
    config.instance = &ComponentResourceModule();
    config.mainInstruction = TaskDialogText::Resource(res::kStringRequiredTitle);
    config.content = u"see <A HREF=\"x\">this</A>";
    config.flags = td::kEnableHyperlinks;
    std::optional<TaskDialogTexts> texts = LoadTaskDialogTexts(config, u"veldmark");
    ASSERT_TRUE(texts);
    EXPECT_EQ(texts->windowTitle, u"veldmark") << "an empty title is the program's file name";
    EXPECT_EQ(texts->mainInstruction, u"Required field not Mapped");
    EXPECT_EQ(texts->content, u"see <A HREF=\"x\">this</A>");
    EXPECT_EQ(texts->contentPlain, u"see this");
    EXPECT_EQ(texts->collapsedControlText, u"See &details >>");
    EXPECT_EQ(texts->expandedControlText, u"Hide &details <<");

    config.footer = TaskDialogText::Resource(4711);
    EXPECT_FALSE(LoadTaskDialogTexts(config, u"veldmark")) << "a string the table lacks fails the run";
}

TEST(TaskDialogTextsTest, CommonButtonsArePlacedInTheirFixedOrder) {
    const std::vector<LabelledButton> buttons =
        RequestedCommonButtons(td::kCloseButton | td::kCancelButton | td::kRetryButton | td::kNoButton |
                               td::kYesButton | td::kOkButton);
    std::vector<int> ids;
    for (const LabelledButton& button : buttons) ids.push_back(button.id);
    EXPECT_EQ(ids, (std::vector<int>{td::kIdOk, td::kIdYes, td::kIdNo, td::kIdRetry, td::kIdCancel, td::kIdClose}));
    EXPECT_EQ(buttons[1].text, u"&Yes");
    EXPECT_EQ(ImplicitOkButton().text, u"OK");
}

}  // namespace
}  // namespace veldmark
