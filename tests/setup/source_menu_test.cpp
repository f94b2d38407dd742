#include "setup/source_menu.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host/kfx_types.h"
#include "host_standin/release_setup_data.h"
#include "setup/command_ids.h"
#include "setup/source_choice.h"

namespace veldmark {
namespace {

using kfx::ComPtr;

Text Numbered(const char16_t* prefix, int number) {
    const std::string digits = std::to_string(number);
    return prefix + Text(digits.begin(), digits.end());
}

class SourceMenuTest : public ::testing::Test {
protected:
    void Open(std::vector<standin::IndexFieldRecord> fields, std::vector<Text> values) {
        standin::DocumentClass stored;
        stored.indexFields = std::move(fields);
        stored.hostValueNames = std::move(values);
        plan_ = std::make_shared<standin::FaultPlan>();
        setupData_ = ComPtr<kfx::IReleaseSetupData>(
            standin::MakeHostObject<standin::ReleaseSetupData>(plan_, stored, nullptr).Get());
        model_ = std::make_unique<SetupModel>(setupData_);
        model_->LoadValueNames();
    }

    std::shared_ptr<standin::FaultPlan> plan_;
    ComPtr<kfx::IReleaseSetupData> setupData_;
    std::unique_ptr<SetupModel> model_;
};

TEST_F(SourceMenuTest, ListsTheHostsIndexFieldsAndValuesAndChecksTheCurrentSource) {
    Open({{u"Invoice Number", u""}, {u"invoice number", u""}}, {u"Batch Name", u"Document ID"});
    MappedField field;
    field.source = u"Invoice Number";
    field.sourceType = kfx::KFX_REL_INDEXFIELD;
    const PopupMenu menu = BuildSourceMenu(field, *model_);

    ASSERT_EQ(menu.size(), 4u);
    EXPECT_EQ(menu[0].caption, u"Text Constant");
    EXPECT_FALSE(menu[0].checked);
    EXPECT_EQ(menu[1].caption, u"No Mapping");
    EXPECT_FALSE(menu[1].checked);
    EXPECT_EQ(menu[2].caption, u"Document Index Fields");
    ASSERT_EQ(menu[2].submenu.size(), 2u);
    EXPECT_EQ(menu[2].submenu[0].command, 28417);
    EXPECT_TRUE(menu[2].submenu[0].checked);
    EXPECT_EQ(menu[2].submenu[1].command, 28418);
    EXPECT_FALSE(menu[2].submenu[1].checked);  // names compare case-sensitively
    EXPECT_EQ(menu[3].caption, u"Kofax Capture Values");
    ASSERT_EQ(menu[3].submenu.size(), 2u);
    EXPECT_EQ(menu[3].submenu[1].caption, u"Document ID");
    EXPECT_EQ(menu[3].submenu[1].command, 28161);
}

TEST_F(SourceMenuTest, ChecksTextConstantOrNoMappingAndNoFieldForAnotherSourceType) {
    Open({{u"3", u""}}, {});
    for (const std::int32_t sourceType : {-1, 1, 2, 3}) {
        MappedField field;
        field.source = u"3";
        field.sourceType = sourceType;
        const PopupMenu menu = BuildSourceMenu(field, *model_);
        ASSERT_EQ(menu.size(), 3u) << "no value names, so no value submenu";
        EXPECT_EQ(menu[0].checked, sourceType == 1);
        EXPECT_EQ(menu[1].checked, sourceType == -1);
        EXPECT_FALSE(menu[2].submenu[0].checked);
    }
}

TEST_F(SourceMenuTest, AnEmptyOrUnreadableIndexFieldListStillGivesItsSubmenuAMissingOneNone) {
    Open({}, {});
    EXPECT_EQ(BuildSourceMenu(MappedField{}, *model_).size(), 3u);
    Open({{u"A", u""}}, {});
    plan_->FailNthCall("IndexFields.get_Count", 1, kfx::HR_E_FAIL);
    PopupMenu menu = BuildSourceMenu(MappedField{}, *model_);
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_TRUE(menu[2].submenu.empty());
    plan_->FailEveryCall("ReleaseSetupData.get_IndexFields", kfx::HR_E_FAIL);
    menu = BuildSourceMenu(MappedField{}, *model_);
    EXPECT_EQ(menu.size(), 2u);
}

TEST_F(SourceMenuTest, LongListsStopAtTheirCommandRangeAndSayHowManyAreLeftOut) {
    std::vector<standin::IndexFieldRecord> fields;
    std::vector<Text> values;
    for (int i = 1; i <= 300; ++i) fields.push_back({Numbered(u"Field ", i), u""});
    for (int i = 0; i < 258; ++i) values.push_back(Numbered(u"Value ", i));
    Open(fields, values);
    const PopupMenu menu = BuildSourceMenu(MappedField{}, *model_);

    const auto& indexFields = menu[2].submenu;
    ASSERT_EQ(indexFields.size(), 256u);
    EXPECT_EQ(indexFields[254].command, kLastIndexFieldCommand);
    EXPECT_EQ(indexFields[254].caption, u"Field 255");
    EXPECT_FALSE(indexFields[255].enabled);
    EXPECT_EQ(indexFields[255].command, 0);
    EXPECT_EQ(indexFields[255].caption, u"45 more index fields cannot be listed");

    const auto& valueNames = menu[3].submenu;
    ASSERT_EQ(valueNames.size(), 257u);
    EXPECT_EQ(valueNames[255].command, kLastValueNameCommand);
    EXPECT_EQ(valueNames[256].caption, u"2 more Kofax Capture Values cannot be listed");
    for (const MenuEntry& entry : valueNames) EXPECT_FALSE(IndexFieldPosition(entry.command)) << entry.command;
}

TEST_F(SourceMenuTest, ChoicesChangeTheFieldAndAChoiceTheHostCannotSupplyChangesNothing) {
    Open({{u"Invoice Number", u""}, {u"Supplier", u""}}, {u"Batch Name"});
    MappedField field;
    field.source = u"3";
    field.sourceType = kfx::KFX_REL_TEXTCONSTANT;

    EXPECT_TRUE(ApplySourceCommand(field, *model_, 28418));
    EXPECT_EQ(field.source, u"Supplier");
    EXPECT_EQ(field.sourceType, kfx::KFX_REL_INDEXFIELD);

    EXPECT_FALSE(ApplySourceCommand(field, *model_, 28419));  // no third index field
    EXPECT_FALSE(ApplySourceCommand(field, *model_, 28161));  // no second value name
    plan_->FailEveryCall("IndexFields.get_Item", kfx::HR_E_FAIL);
    EXPECT_FALSE(ApplySourceCommand(field, *model_, 28417));
    EXPECT_EQ(field.source, u"Supplier");

    EXPECT_TRUE(ApplySourceCommand(field, *model_, 28160));
    EXPECT_EQ(field.source, u"Batch Name");
    EXPECT_EQ(field.sourceType, kfx::KFX_REL_VARIABLE);

    EXPECT_TRUE(ApplySourceCommand(field, *model_, kCommandTextConstant));
    EXPECT_EQ(field.source, u"");
    EXPECT_EQ(field.sourceType, kfx::KFX_REL_TEXTCONSTANT);

    field.source = u"kept";
    EXPECT_TRUE(ApplySourceCommand(field, *model_, kCommandTextConstant));
    EXPECT_EQ(field.source, u"") << "choosing Text Constant again empties the text";

    EXPECT_TRUE(ApplySourceCommand(field, *model_, kCommandNoMapping));
    EXPECT_EQ(field.sourceType, kfx::KFX_REL_UNDEFINED_LINK);
    EXPECT_FALSE(ApplySourceCommand(field, *model_, 4711));
}

}  // namespace
}  // namespace veldmark
