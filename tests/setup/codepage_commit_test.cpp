// When the Codepage box is judged, driven through a view that only remembers
// what the page asked of it.
#include "setup/codepage_commit.h"

#include <gtest/gtest.h>

#include <memory>

#include "host/kfx_types.h"
#include "host_standin/release_setup_data.h"
#include "setup/general_page_controls.h"
#include "setup/resource_ids.h"

namespace veldmark {
namespace {

using kfx::ComPtr;

class FakeGeneralView final : public GeneralPageView {
public:
    void ReadControls(GeneralPageTexts& texts) override { texts = shown; }
    void WriteControls(const GeneralPageTexts& texts) override { shown = texts; }
    void EnableSettingEdit(SettingSlot, bool) override {}
    void SetPasswordMasked(bool) override {}
    void ShowVersion() override {}
    void ShowMessage(const Text& message) override { messages.push_back(message); }
    void FocusSettingEdit(SettingSlot slot) override { focused = slot; }
    std::optional<int> TrackSourceMenu(SettingSlot, const PopupMenu&) override { return std::nullopt; }

    GeneralPageTexts shown;
    std::vector<Text> messages;
    std::optional<SettingSlot> focused;
};

class CodepageCommitTest : public ::testing::Test {
protected:
    CodepageCommitTest() {
        setupData_ = ComPtr<kfx::IReleaseSetupData>(
            standin::MakeHostObject<standin::ReleaseSetupData>(std::make_shared<standin::FaultPlan>(),
                                                               standin::DocumentClass{}, nullptr)
                .Get());
        model_ = std::make_unique<SetupModel>(setupData_);
        Codepage() = {u"1252", kfx::KFX_REL_TEXTCONSTANT};
        page_.SetModel(model_.get());
        page_.AttachView(&view_);
        page_.OnInitDialog();
    }

    MappedField& Codepage() { return model_->Setting(SlotCodepage); }

    ComPtr<kfx::IReleaseSetupData> setupData_;
    std::unique_ptr<SetupModel> model_;
    FakeGeneralView view_;
    CPropertyPageSetupGeneral page_{[] { return std::nullopt; }};
    CodepageCommit commit_{page_};
};

const Text kInvalid = u"Invalid Codepage, please refer to the Userguide.";

TEST_F(CodepageCommitTest, LeavingTheBoxJudgesItOnlyWhenTheAdministratorLeftIt) {
    const struct {
        FocusLoss how;
        bool judged;
        InterruptedClick refusedClick;
    } cases[] = {
        {FocusLoss::Keyboard, true, InterruptedClick::Deliver},
        {FocusLoss::MouseClick, true, InterruptedClick::Swallow},
        {FocusLoss::Other, true, InterruptedClick::Deliver},
        {FocusLoss::Popup, false, InterruptedClick::Deliver},
        {FocusLoss::OtherWindow, false, InterruptedClick::Deliver},
    };
    for (const auto& c : cases) {
        Codepage().source = u"1252";
        view_.messages.clear();
        view_.shown.codepage = u"20127";
        EXPECT_EQ(commit_.OnFocusLost(c.how), InterruptedClick::Deliver);
        EXPECT_EQ(Codepage().source, c.judged ? u"20127" : u"1252") << static_cast<int>(c.how);

        view_.shown.codepage = u"99999";
        EXPECT_EQ(commit_.OnFocusLost(c.how), c.refusedClick) << static_cast<int>(c.how);
        EXPECT_EQ(view_.messages.size(), c.judged ? 1u : 0u) << static_cast<int>(c.how);
        EXPECT_EQ(view_.shown.codepage, c.judged ? u"" : u"99999");
    }
}

TEST_F(CodepageCommitTest, OkJudgesWhatTheBoxShowsWhereverTheFocusIs) {
    // Refused on leaving, then typed anew and left in a way that is not judged.
    view_.shown.codepage = u"99999";
    commit_.OnFocusLost(FocusLoss::Keyboard);
    ASSERT_EQ(view_.messages, std::vector<Text>{kInvalid});
    EXPECT_EQ(view_.focused, SlotCodepage);
    view_.shown.codepage = u"20127";
    commit_.OnFocusLost(FocusLoss::OtherWindow);
    EXPECT_EQ(Codepage().source, u"1252");

    EXPECT_TRUE(commit_.OnLeavingPage());
    EXPECT_EQ(Codepage().source, u"20127");
    EXPECT_EQ(Codepage().sourceType, kfx::KFX_REL_TEXTCONSTANT);

    view_.shown.codepage = u"0";
    EXPECT_FALSE(commit_.OnLeavingPage()) << "the sheet stays open";
    EXPECT_EQ(view_.messages.size(), 2u);
    EXPECT_EQ(Codepage().source, u"20127");

    view_.shown.codepage = u"";
    EXPECT_TRUE(commit_.OnLeavingPage()) << "an emptied box stores an empty code page";
    EXPECT_EQ(Codepage().source, u"");
}

TEST_F(CodepageCommitTest, AMappedCodepageAndAClosingSheetAreNotJudged) {
    Codepage() = {u"Invoice Number", kfx::KFX_REL_INDEXFIELD};
    view_.shown.codepage = u"Invoice Number";
    EXPECT_TRUE(commit_.OnLeavingPage());
    EXPECT_EQ(Codepage().sourceType, kfx::KFX_REL_INDEXFIELD) << "the mapping stays";

    Codepage() = {u"1252", kfx::KFX_REL_TEXTCONSTANT};
    view_.shown.codepage = u"0";
    commit_.OnSheetClosing();
    EXPECT_EQ(commit_.OnFocusLost(FocusLoss::MouseClick), InterruptedClick::Deliver);
    EXPECT_TRUE(commit_.OnLeavingPage());
    EXPECT_TRUE(view_.messages.empty());
    EXPECT_EQ(Codepage().source, u"1252");
}

TEST(GeneralPageControlsTest, EachSettingHasItsOwnEditButtonAndText) {
    const auto settings = GeneralPageSettingControls();
    ASSERT_EQ(settings.size(), kSettingCount);
    for (std::size_t index = 0; index < settings.size(); ++index) {
        EXPECT_EQ(settings[index].slot, static_cast<SettingSlot>(index));
        EXPECT_EQ(&ControlsOf(settings[index].slot), &settings[index]);
        bool exchanged = false;
        for (const ExchangedControl& control : GeneralPageExchange()) {
            if (control.id == settings[index].edit) exchanged = control.text == settings[index].text;
        }
        EXPECT_TRUE(exchanged) << "the edit exchanges the setting's own text";
    }
    EXPECT_EQ(ControlsOf(SlotCodepage).edit, res::kEditCodepage);
    EXPECT_EQ(ControlsOf(SlotCodepage).button, res::kButtonCodepageSource);
    EXPECT_EQ(ControlsOf(SlotPassword).button, res::kButtonPasswordSource);
}

}  // namespace
}  // namespace veldmark
