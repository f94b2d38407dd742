#include "setup/resources.h"

#include <gtest/gtest.h>

#include "setup/command_ids.h"
#include "setup/dialog_templates.h"
#include "setup/resource_ids.h"

namespace veldmark {
namespace {

TEST(ResourcesTest, StringsComeFromTheTableAndAMissingOneReadsAsQuestionMarks) {
    EXPECT_EQ(LoadResourceString(res::kStringSheetTitle), u"Veldmark Export Connector for System21 Setup");
    EXPECT_EQ(LoadResourceString(res::kStringRequiredTitle), u"Required field not Mapped");
    EXPECT_EQ(LoadResourceString(res::kStringMapRequired),
              u"Map Required Fields\nReturn to the dialog and map the required fields, beginning with '%1'.");
    EXPECT_EQ(LoadResourceString(res::kStringIgnoreRequirement),
              u"Ignore Requirement\nDo not map the Required fields and close this dialog immediately.");
    EXPECT_EQ(LoadResourceString(11004), u"???");
    EXPECT_FALSE(FindResourceString(11004));
    EXPECT_EQ(ComponentResourceModule().FindString(res::kStringButtonYes), Text(u"&Yes"));
}

TEST(ResourcesTest, TheSourceMenuResourceHoldsTextConstantAndNoMapping) {
    const auto popups = FindMenuResource(res::kMenuSource);
    ASSERT_EQ(popups.size(), 1u);
    ASSERT_EQ(popups[0].items.size(), 2u);
    EXPECT_EQ(popups[0].items[0].command, kCommandTextConstant);
    EXPECT_EQ(Text(popups[0].items[0].caption), u"Text Constant");
    EXPECT_EQ(popups[0].items[1].command, kCommandNoMapping);
    EXPECT_EQ(Text(popups[0].items[1].caption), u"No Mapping");
    EXPECT_TRUE(FindMenuResource(1).empty());
}

TEST(ResourcesTest, PageTemplatesCarryTheirCaptionsSizesAndControls) {
    const DialogTemplate* general = FindDialogTemplate(res::kDialogGeneralPage);
    ASSERT_NE(general, nullptr);
    EXPECT_EQ(Text(general->caption), u"General");
    EXPECT_EQ(general->width, 350);
    EXPECT_EQ(general->controls.size(), 28u);
    const DialogControl* codepage = FindDialogControl(*general, res::kEditCodepage);
    ASSERT_NE(codepage, nullptr);
    EXPECT_EQ(codepage->rect.y, 157);
    EXPECT_TRUE(FindDialogControl(*general, res::kLabelVersionText)->hidden);

    const DialogTemplate* mapping = FindDialogTemplate(res::kDialogMappingPage);
    ASSERT_NE(mapping, nullptr);
    EXPECT_EQ(Text(mapping->caption), u"Data Mapping");
    EXPECT_EQ(Text(FindDialogControl(*mapping, res::kCheckDisplayFieldNames)->text), u"Display Field Names");
    EXPECT_EQ(FindDialogTemplate(4711), nullptr);
}

TEST(ResourcesTest, CommandRangesStayApart) {
    EXPECT_EQ(IndexFieldPosition(28417), 1);
    EXPECT_EQ(IndexFieldPosition(28671), 255);
    EXPECT_FALSE(IndexFieldPosition(28416));
    EXPECT_FALSE(IndexFieldPosition(28672));
    EXPECT_EQ(ValueNameIndex(28160), 0u);
    EXPECT_EQ(ValueNameIndex(28415), 255u);
    EXPECT_FALSE(ValueNameIndex(28416));
    EXPECT_FALSE(ValueNameIndex(28159));
}

}  // namespace
}  // namespace veldmark
