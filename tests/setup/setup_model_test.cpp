#include "model/setup_model.h"

#include <gtest/gtest.h>

#include <memory>

#include "host/kfx_types.h"
#include "host_standin/release_setup_data.h"
#include "tests/support/component_under_test.h"

namespace veldmark {
namespace {

using kfx::ComPtr;
using standin::LinkRecord;

standin::DocumentClass StoredClass() {
    standin::DocumentClass stored;
    stored.batchClassName = u"AP Invoices";
    stored.documentClassName = u"Supplier Invoice";
    stored.releaseScriptName = u"System21 export";
    stored.connectString = u"sqlite:first";
    stored.userName = u"clerk";
    stored.password = u"secret";
    stored.customProperties = {{u"serverAPILibrary", u"APLIB"}, {u"SanitiseCodepage", u"1252"}};
    stored.indexFields = {{u"Invoice Number", u""}, {u"Supplier", u""}};
    stored.hostValueNames = {u"First Page Original File Name", u"Batch Name"};
    return stored;
}

class SetupModelTest : public ::testing::Test {
protected:
    void Open(standin::DocumentClass stored) {
        plan_ = std::make_shared<standin::FaultPlan>();
        host_ = standin::MakeHostObject<standin::ReleaseSetupData>(plan_, std::move(stored), nullptr);
        setupData_ = testsupport::AsComponentReachesIt(host_.Get());
        model_ = std::make_unique<SetupModel>(setupData_);
        model_->BuildFieldCatalogue();
    }

    void Load() {
        model_->LoadSetupProperties();
        model_->LoadLinks();
        model_->LoadValueNames();
    }

    std::vector<LinkRecord> SavedLinks() {
        EXPECT_TRUE(model_->SaveLinks());
        EXPECT_EQ(host_->Apply(), kfx::HR_S_OK);
        return host_->Committed().links;
    }

    const MappedField& Field(const char16_t* destination) {
        return model_->catalogue[*FindCatalogueSlot(model_->catalogue, destination)];
    }

    std::shared_ptr<standin::FaultPlan> plan_;
    ComPtr<standin::ReleaseSetupData> host_;
    ComPtr<kfx::IReleaseSetupData> setupData_;
    std::unique_ptr<SetupModel> model_;
};

TEST_F(SetupModelTest, StartsFromTheHostsPropertiesAndCustomProperties) {
    Open(StoredClass());
    Load();
    const std::pair<SettingSlot, const char16_t*> expected[] = {
        {SlotServerName, u"sqlite:first"}, {SlotUserName, u"clerk"},      {SlotPassword, u"secret"},
        {SlotApiLibrary, u"APLIB"},        {SlotCodepage, u"1252"},      {SlotReplacementChar, u""},
    };
    for (const auto& [slot, source] : expected) {
        EXPECT_EQ(model_->Setting(slot).source, source) << slot;
        EXPECT_EQ(model_->Setting(slot).sourceType, kfx::KFX_REL_TEXTCONSTANT) << slot;
        EXPECT_EQ(model_->Setting(slot).group, Hidden) << slot;
    }
    EXPECT_EQ(model_->valueNames, (std::vector<Text>{u"First Page Original File Name", u"Batch Name"}));
}

TEST_F(SetupModelTest, LinksOverrideStartingValuesAndTheLaterOfTwoLinksWins) {
    standin::DocumentClass stored = StoredClass();
    stored.links = {
        {u"sqlite:second", kfx::KFX_REL_TEXTCONSTANT, u"serverName"},
        {u"Supplier", kfx::KFX_REL_INDEXFIELD, u"APILibrary"},
        {u"Invoice Number", kfx::KFX_REL_INDEXFIELD, u"AIP32.INVN32"},
        {u"Batch Name", kfx::KFX_REL_VARIABLE, u"AIP32.INVN32"},
        {u"X", kfx::KFX_REL_TEXTCONSTANT, u"aip32.rtyp32"},
        {u"7", kfx::KFX_REL_TEXTCONSTANT, u"AIP33.RESN33"},
        {u"from another tool", kfx::KFX_REL_TEXTCONSTANT, u"SomethingElse"},
    };
    Open(stored);
    Load();
    EXPECT_EQ(model_->Setting(SlotServerName).source, u"sqlite:second");
    EXPECT_EQ(model_->Setting(SlotApiLibrary).source, u"Supplier");
    EXPECT_EQ(model_->Setting(SlotApiLibrary).sourceType, kfx::KFX_REL_INDEXFIELD);
    EXPECT_EQ(Field(u"AIP32.INVN32").source, u"Batch Name");
    EXPECT_EQ(Field(u"AIP32.INVN32").sourceType, kfx::KFX_REL_VARIABLE);
    // Letter case matters, and the two "Reason Code" fields are distinct.
    EXPECT_EQ(Field(u"AIP32.RTYP32").sourceType, kfx::KFX_REL_UNDEFINED_LINK);
    EXPECT_EQ(Field(u"AIP33.RESN33").source, u"7");
    EXPECT_EQ(Field(u"AIP32.RESN32").sourceType, kfx::KFX_REL_UNDEFINED_LINK);
}

TEST_F(SetupModelTest, SaveWritesMappedFieldsThenEverySettingThenTheFixedLinks) {
    standin::DocumentClass stored = StoredClass();
    stored.links = {{u"from another tool", kfx::KFX_REL_TEXTCONSTANT, u"SomethingElse"},
                    {u"Invoice Number", kfx::KFX_REL_INDEXFIELD, u"AIP32.INVN32"},
                    {u"Batch Name", kfx::KFX_REL_VARIABLE, u"AIP32.INVN32"}};
    Open(stored);
    Load();
    model_->catalogue[0].source = u"3";
    model_->catalogue[0].sourceType = kfx::KFX_REL_TEXTCONSTANT;
    model_->catalogue[59].sourceType = kfx::KFX_REL_TEXTCONSTANT;  // an empty constant: no link
    model_->Setting(SlotCodepage).source.clear();

    const std::vector<LinkRecord> expected = {
        {u"3", kfx::KFX_REL_TEXTCONSTANT, u"AIP32.RTYP32"},
        {u"Batch Name", kfx::KFX_REL_VARIABLE, u"AIP32.INVN32"},
        {u"sqlite:first", kfx::KFX_REL_TEXTCONSTANT, u"serverName"},
        {u"clerk", kfx::KFX_REL_TEXTCONSTANT, u"username"},
        {u"secret", kfx::KFX_REL_TEXTCONSTANT, u"password"},
        {u"APLIB", kfx::KFX_REL_TEXTCONSTANT, u"APILibrary"},
        {u"", kfx::KFX_REL_TEXTCONSTANT, u"SanitiseCodepage"},
        {u"", kfx::KFX_REL_TEXTCONSTANT, u"SanitiseReplacementChar"},
        {u"OriginalFolder", kfx::KFX_REL_BATCHFIELD, u"OriginalFolder"},
        {u"First Page Original File Name", kfx::KFX_REL_VARIABLE, u"OriginalFileName"},
        {u"OriginalFileNameExt", kfx::KFX_REL_BATCHFIELD, u"OriginalFileNameExt"},
    };
    EXPECT_EQ(SavedLinks(), expected);
}

TEST_F(SetupModelTest, WhatWasSavedLoadsBackUnchanged) {
    Open(StoredClass());
    Load();
    model_->Setting(SlotPassword).source = u"pa ss%1'";
    model_->Setting(SlotReplacementChar).source = u"?";
    model_->catalogue[57].source = u"Invoice Number";
    model_->catalogue[57].sourceType = kfx::KFX_REL_INDEXFIELD;
    standin::DocumentClass reopened = StoredClass();
    reopened.links = SavedLinks();
    const auto settings = model_->settings;
    const auto catalogue = model_->catalogue;

    Open(reopened);
    Load();
    for (std::size_t slot = 0; slot < kSettingCount; ++slot) {
        EXPECT_EQ(model_->settings[slot].source, settings[slot].source) << slot;
        EXPECT_EQ(model_->settings[slot].sourceType, settings[slot].sourceType) << slot;
    }
    for (std::size_t slot = 0; slot < kCatalogueSlots; ++slot) {
        EXPECT_EQ(model_->catalogue[slot].source, catalogue[slot].source) << slot;
        EXPECT_EQ(model_->catalogue[slot].sourceType, catalogue[slot].sourceType) << slot;
    }
}

TEST_F(SetupModelTest, HostFailuresLeaveTextsEmptyOrUnchangedAndAreReportedOnlyByResult) {
    Open(StoredClass());
    plan_->FailEveryCall("ReleaseSetupData.get_UserName", kfx::HR_E_FAIL);
    plan_->FailNthCall("ReleaseSetupData.get_CustomProperties", 1, kfx::HR_E_FAIL);
    plan_->FailEveryCall("Links.get_Count", kfx::HR_E_FAIL);
    plan_->FailEveryCall("ReleaseSetupData.get_BatchVariableNames", kfx::HR_E_FAIL);
    model_->LoadSetupProperties();
    EXPECT_EQ(model_->Setting(SlotUserName).source, u"");
    EXPECT_EQ(model_->Setting(SlotApiLibrary).source, u"");  // its collection could not be had
    EXPECT_EQ(model_->Setting(SlotCodepage).source, u"1252");
    EXPECT_FALSE(model_->LoadLinks());
    EXPECT_FALSE(model_->LoadValueNames());
    EXPECT_TRUE(model_->valueNames.empty());
}

TEST_F(SetupModelTest, AFailedAddDoesNotStopTheSaveButAFailedRemoveAllWritesNothing) {
    standin::DocumentClass stored = StoredClass();
    stored.links = {{u"Invoice Number", kfx::KFX_REL_INDEXFIELD, u"AIP32.INVN32"}};
    Open(stored);
    Load();
    plan_->FailNthCall("Links.RemoveAll", 1, kfx::HR_E_FAIL);
    EXPECT_FALSE(model_->SaveLinks());
    ASSERT_EQ(host_->Apply(), kfx::HR_S_OK);
    EXPECT_EQ(host_->Committed().links, stored.links);

    plan_->FailNthCall("Links.Add", 1, kfx::HR_E_FAIL);
    EXPECT_TRUE(model_->SaveLinks());
    ASSERT_EQ(host_->Apply(), kfx::HR_S_OK);
    ASSERT_EQ(host_->Committed().links.size(), 9u);  // the field link was lost, the rest is there
    EXPECT_EQ(host_->Committed().links.front().destination, u"serverName");
}

TEST_F(SetupModelTest, WithoutSetupDataNothingIsReadOrWritten) {
    ComPtr<kfx::IReleaseSetupData> none;
    SetupModel model(none);
    model.BuildFieldCatalogue();
    model.LoadSetupProperties();
    EXPECT_FALSE(model.LoadLinks());
    EXPECT_FALSE(model.LoadValueNames());
    EXPECT_FALSE(model.SaveLinks());
    EXPECT_EQ(model.Setting(SlotServerName).source, u"");
    EXPECT_EQ(model.Setting(SlotServerName).sourceType, kfx::KFX_REL_TEXTCONSTANT);
    EXPECT_EQ(model.catalogue[0].sourceType, kfx::KFX_REL_UNDEFINED_LINK);
}

}  // namespace
}  // namespace veldmark
