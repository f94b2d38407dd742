#include "setup/task_dialog/task_dialog_layout.h"

#include <gtest/gtest.h>

#include "setup/task_dialog/task_dialog_config.h"

namespace veldmark {
namespace {

// Every character 6 pixels wide in the normal font and 9 in the large one;
// lines 13 and 20 pixels high; words wrap greedily at blanks.
class FixedMetrics final : public TextMeasurer {
public:
    PixelSize Measure(TaskDialogFont font, const kfx::Text& text, int wrapWidth, bool caption) const override {
        const int charWidth = font == TaskDialogFont::Large ? 9 : 6;
        const int lineHeight = font == TaskDialogFont::Large ? 20 : 13;
        kfx::Text shown;
        for (char16_t c : text) {
            if (!(caption && c == u'&')) shown += c;
        }
        if (wrapWidth == 0) return {static_cast<int>(shown.size()) * charWidth, lineHeight};
        int lines = 1, lineWidth = 0, widest = 0;
        std::size_t at = 0;
        while (at <= shown.size()) {
            std::size_t end = shown.find(u' ', at);
            if (end == kfx::Text::npos) end = shown.size();
            const int word = static_cast<int>(end - at) * charWidth;
            if (lineWidth > 0 && lineWidth + charWidth + word > wrapWidth) {
                ++lines;
                lineWidth = word;
            } else {
                lineWidth += (lineWidth > 0 ? charWidth : 0) + word;
            }
            widest = std::max(widest, lineWidth);
            at = end + 1;
        }
        return {widest, lines * lineHeight};
    }
};

TaskDialogLayoutInput BaseInput() {
    TaskDialogLayoutInput input;
    input.monitorWidth = 800;
    input.dialogBaseWidth = 6;
    input.implicitOkButton = {td::kIdOk, u"OK"};
    input.expandedControlText = u"Hide &details <<";
    input.collapsedControlText = u"See &details >>";
    return input;
}

PixelRect RectOf(const TaskDialogLayout& layout, int id) {
    const TaskControl* control = layout.FindId(id);
    return control ? control->rect : PixelRect{-1, -1, -1, -1};
}

PixelRect RectOf(const TaskDialogLayout& layout, TaskControlKind kind) {
    const TaskControl* control = layout.Find(kind);
    return control ? control->rect : PixelRect{-1, -1, -1, -1};
}

const FixedMetrics kMetrics;

TEST(TaskDialogLayoutTest, ThePromptStacksTwoCommandLinksBesideTheIconWithoutAButtonArea) {
    TaskDialogLayoutInput input = BaseInput();
    input.flags = td::kUseCommandLinks;
    input.hasMainIcon = true;
    input.mainInstruction = u"Pick one";                       // 72 x 20
    input.customButtons = {{541, u"Map\nReturn now"}, {542, u"Ignore\nClose it"}};
    input.defaultButton = 541;
    const TaskDialogLayout layout = LayOutTaskDialog(input, kMetrics);

    // Widest: the second caption, 6 x 9 + 20 + 26 = 100; the column is one more.
    EXPECT_EQ(layout.width, 52 + 101 + 10);
    EXPECT_EQ(RectOf(layout, TaskControlKind::MainIcon), (PixelRect{10, 14, 32, 32}));
    EXPECT_EQ(RectOf(layout, TaskControlKind::MainInstruction), (PixelRect{52, 10, 101, 20}));
    // The first note wraps in 101 - 46 = 55 pixels onto two lines.
    EXPECT_EQ(RectOf(layout, 541), (PixelRect{52, 40, 101, 20 + 25 + 26}));
    EXPECT_EQ(RectOf(layout, 542), (PixelRect{52, 111, 101, 20 + 25 + 13}));
    EXPECT_TRUE(layout.dividers.empty());
    EXPECT_EQ(layout.height, 169 + 5 + 5);
    EXPECT_TRUE(layout.FindId(541)->isDefault);
    EXPECT_FALSE(layout.FindId(542)->isDefault);
    EXPECT_EQ(layout.Find(TaskControlKind::PushButton), nullptr);
    const CommandLinkGeometry first = LayOutCommandLink(SplitCommandLinkText(u"Map\nReturn now"), 101, true, kMetrics);
    EXPECT_EQ(first.caption, (PixelRect{36, 10, 65, 20}));
    EXPECT_EQ(first.note, (PixelRect{36, 35, 55, 26}));
    EXPECT_EQ(first.height, RectOf(layout, 541).height);
}

TEST(TaskDialogLayoutTest, ButtonsRadioButtonsVerificationAndFooterFillTheLowerAreas) {
    TaskDialogLayoutInput input = BaseInput();
    input.hasFooterIcon = true;
    input.content = u"Choose a colour";                         // 90 x 13
    input.radioButtons = {{101, u"Red"}, {102, u"Green"}};
    input.commonButtons = {{td::kIdOk, u"OK"}, {td::kIdCancel, u"Cancel"}};  // 44 and 68 wide
    input.verificationText = u"Remember";
    input.footer = u"See help";
    const TaskDialogLayout layout = LayOutTaskDialog(input, kMetrics);

    EXPECT_EQ(layout.width, 2 * 68 + 8 + 20);
    EXPECT_EQ(RectOf(layout, TaskControlKind::Content), (PixelRect{10, 10, 91, 13}));
    EXPECT_EQ(RectOf(layout, 101), (PixelRect{20, 33, 81, 13}));
    EXPECT_EQ(RectOf(layout, 102), (PixelRect{20, 51, 81, 13}));
    EXPECT_EQ(RectOf(layout, td::kIdOk), (PixelRect{10, 84, 68, 23}));
    EXPECT_EQ(RectOf(layout, td::kIdCancel), (PixelRect{86, 84, 68, 23}));
    EXPECT_EQ(RectOf(layout, TaskControlKind::VerificationCheckBox), (PixelRect{10, 112, 91, 13}));
    EXPECT_EQ(RectOf(layout, TaskControlKind::FooterIcon), (PixelRect{10, 145, 16, 16}));
    EXPECT_EQ(RectOf(layout, TaskControlKind::Footer), (PixelRect{31, 145, 70, 13}));
    EXPECT_EQ(layout.dividers, (std::vector<int>{74, 135}));
    EXPECT_EQ(layout.height, 171);
    EXPECT_TRUE(layout.FindId(td::kIdOk)->isDefault);
    // Controls without an identifier of their own count on from the largest one.
    EXPECT_EQ(layout.Find(TaskControlKind::Content)->id, 103);
    EXPECT_EQ(layout.Find(TaskControlKind::VerificationCheckBox)->id, 104);
    EXPECT_EQ(layout.Find(TaskControlKind::FooterIcon)->id, 105);
    EXPECT_EQ(layout.Find(TaskControlKind::Footer)->id, 106);
}

TEST(TaskDialogLayoutTest, ADialogThatAsksForNoButtonGetsOk) {
    for (const std::uint32_t flags : {0u, static_cast<std::uint32_t>(td::kUseCommandLinks)}) {
        TaskDialogLayoutInput input = BaseInput();
        input.flags = flags;
        input.content = u"Done";
        const TaskDialogLayout layout = LayOutTaskDialog(input, kMetrics);
        const TaskControl* ok = layout.FindId(td::kIdOk);
        ASSERT_NE(ok, nullptr) << flags;
        EXPECT_EQ(ok->kind, TaskControlKind::PushButton);
        EXPECT_TRUE(ok->isDefault);
    }
}

TEST(TaskDialogLayoutTest, ExpandingMovesWhatIsBelowByTheTextHeightPlusTen) {
    TaskDialogLayoutInput input = BaseInput();
    input.content = u"Hi";
    input.expandedInformation = u"More";
    input.commonButtons = {{td::kIdOk, u"OK"}};
    const TaskDialogLayout collapsed = LayOutTaskDialog(input, kMetrics);
    input.expanded = true;
    const TaskDialogLayout expanded = LayOutTaskDialog(input, kMetrics);

    // The expand button, 15 x 6 + 32 wide, sets the width.
    EXPECT_EQ(collapsed.width, 122 + 20);
    EXPECT_TRUE(collapsed.Find(TaskControlKind::ExpandedInformation)->hidden);
    EXPECT_FALSE(expanded.Find(TaskControlKind::ExpandedInformation)->hidden);
    EXPECT_EQ(RectOf(collapsed, TaskControlKind::ExpandedInformation), (PixelRect{10, 33, 25, 13}));
    EXPECT_EQ(RectOf(collapsed, td::kIdOk), (PixelRect{88, 43, 44, 23}));
    EXPECT_EQ(RectOf(collapsed, TaskControlKind::ExpandButton), (PixelRect{10, 71, 122, 23}));
    EXPECT_EQ(collapsed.Find(TaskControlKind::ExpandButton)->text, u"See &details >>");
    EXPECT_EQ(expanded.Find(TaskControlKind::ExpandButton)->text, u"Hide &details <<");
    EXPECT_EQ(collapsed.dividers, (std::vector<int>{33}));
    EXPECT_EQ(expanded.dividers, (std::vector<int>{56}));
    EXPECT_EQ(RectOf(expanded, td::kIdOk).y - RectOf(collapsed, td::kIdOk).y, 13 + 10);
    EXPECT_EQ(expanded.height - collapsed.height, 13 + 10);
    EXPECT_EQ(collapsed.height, 104);
}

TEST(TaskDialogLayoutTest, FooterAreaExpansionGoesLastBehindItsOwnDivider) {
    TaskDialogLayoutInput input = BaseInput();
    input.flags = td::kExpandFooterArea;
    input.content = u"Hi";
    input.expandedInformation = u"More";
    input.commonButtons = {{td::kIdOk, u"OK"}};
    const TaskDialogLayout collapsed = LayOutTaskDialog(input, kMetrics);
    input.expanded = true;
    const TaskDialogLayout expanded = LayOutTaskDialog(input, kMetrics);

    EXPECT_EQ(collapsed.dividers, (std::vector<int>{33}));
    EXPECT_EQ(expanded.dividers, (std::vector<int>{33, 104}));
    EXPECT_EQ(RectOf(expanded, TaskControlKind::ExpandedInformation), (PixelRect{10, 114, 25, 13}));
    EXPECT_EQ(RectOf(expanded, td::kIdOk), RectOf(collapsed, td::kIdOk));
    EXPECT_EQ(expanded.height - collapsed.height, 13 + 20);
}

TEST(TaskDialogLayoutTest, AGivenWidthIsInDialogUnitsAndARowWiderThanTheTextWidensIt) {
    TaskDialogLayoutInput input = BaseInput();
    input.widthInDialogUnits = 40;  // 60 pixels, 40 for text
    input.content = u"one two three four five six seven eight nine ten eleven twelve thirteen fourteen";
    input.commonButtons = {{td::kIdYes, u"&Yes"}, {td::kIdNo, u"&No"}, {td::kIdCancel, u"Cancel"}};
    const TaskDialogLayout layout = LayOutTaskDialog(input, kMetrics);
    // The row, 3 x 68 + 2 x 8 = 220, makes the text width 240 instead of 40:
    // the content wraps after "eight" (39 characters) and its second line
    // fills all 40.
    EXPECT_EQ(RectOf(layout, TaskControlKind::Content).width, 241);
    EXPECT_EQ(RectOf(layout, TaskControlKind::Content).height, 2 * 13);
    EXPECT_EQ(layout.width, 10 + 241 + 10);
    EXPECT_EQ(RectOf(layout, td::kIdCancel).Right(), layout.width - 10);
}

TEST(TaskDialogLayoutTest, ACommandLinkWithoutANoteCentresItsCaption) {
    const CommandLinkText text = SplitCommandLinkText(u"Continue");
    EXPECT_TRUE(text.note.empty());
    const CommandLinkGeometry geometry = LayOutCommandLink(text, 200, true, kMetrics);
    EXPECT_EQ(geometry.height, 20 + 20);
    EXPECT_EQ(geometry.caption, (PixelRect{36, 10, 164, 20}));
    const CommandLinkGeometry plain = LayOutCommandLink(SplitCommandLinkText(u"Go\nnow"), 200, false, kMetrics);
    EXPECT_EQ(plain.caption.x, 10);
    EXPECT_EQ(plain.note, (PixelRect{10, 35, 180, 13}));
}

}  // namespace
}  // namespace veldmark
