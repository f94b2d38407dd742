#include <gtest/gtest.h>

#include <stdexcept>

#include "host/kfx_types.h"
#include "host_standin/release_setup_data.h"

namespace standin {
namespace {

using kfx::ComPtr;
using kfx::Text;

DocumentClass SampleClass() {
    DocumentClass stored;
    stored.batchClassName = u"AP Invoices";
    stored.documentClassName = u"Supplier Invoice";
    stored.releaseScriptName = u"Veldmark Export Connector for System21";
    stored.connectString = u"sqlite:db";
    stored.userName = u"clerk";
    stored.password = u"secret";
    stored.customProperties = {{u"serverAPILibrary", u"APLIB"}};
    stored.indexFields = {{u"Invoice Number", u""}, {u"Description", u"Lines"}};
    stored.hostValueNames = {u"First Page Original File Name", u"Batch Name"};
    stored.links = {{u"Invoice Number", kfx::KFX_REL_INDEXFIELD, u"AIP32.INVN32"},
                    {u"APLIB", kfx::KFX_REL_TEXTCONSTANT, u"APILibrary"}};
    return stored;
}

class SetupObjectsTest : public ::testing::Test {
protected:
    void TearDown() override {
        data_.Reset();
        EXPECT_EQ(LiveHostObjects(), liveBefore_) << "a host object outlived its last reference";
    }

    ComPtr<kfx::ILinks> GetLinks() {
        ComPtr<kfx::ILinks> links;
        EXPECT_EQ(data_->get_Links(links.Put()), kfx::HR_S_OK);
        return links;
    }

    static LinkRecord Read(kfx::ILinks* links, std::int32_t position) {
        ComPtr<kfx::ILink> link;
        EXPECT_EQ(links->get_Item(position, link.Put()), kfx::HR_S_OK);
        LinkRecord record;
        EXPECT_EQ(link->get_Source(&record.source), kfx::HR_S_OK);
        EXPECT_EQ(link->get_SourceType(&record.sourceType), kfx::HR_S_OK);
        EXPECT_EQ(link->get_Destination(&record.destination), kfx::HR_S_OK);
        return record;
    }

    const std::int64_t liveBefore_ = LiveHostObjects();
    std::vector<DocumentClass> applied_;
    ComPtr<ReleaseSetupData> data_ = MakeHostObject<ReleaseSetupData>(
        nullptr, SampleClass(), [this](const DocumentClass& edited) { applied_.push_back(edited); });
};

TEST_F(SetupObjectsTest, ReadsTheStoredTexts) {
    struct Case {
        kfx::HRESULT (kfx::IReleaseSetupData::*read)(Text*);
        Text expected;
    };
    const Case cases[] = {{&kfx::IReleaseSetupData::get_ConnectString, u"sqlite:db"},
                          {&kfx::IReleaseSetupData::get_UserName, u"clerk"},
                          {&kfx::IReleaseSetupData::get_Password, u"secret"},
                          {&kfx::IReleaseSetupData::get_BatchClassName, u"AP Invoices"},
                          {&kfx::IReleaseSetupData::get_DocClassName, u"Supplier Invoice"},
                          {&kfx::IReleaseSetupData::get_Name, u"Veldmark Export Connector for System21"}};
    kfx::IReleaseSetupData* data = data_.Get();
    for (const Case& c : cases) {
        Text text;
        EXPECT_EQ((data->*c.read)(&text), kfx::HR_S_OK);
        EXPECT_EQ(text, c.expected);
    }
}

TEST_F(SetupObjectsTest, LinksCountFromOneAndEditInPlace) {
    ComPtr<kfx::ILinks> links = GetLinks();
    std::int32_t count = 0;
    ASSERT_EQ(links->get_Count(&count), kfx::HR_S_OK);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(Read(links.Get(), 1), (LinkRecord{u"Invoice Number", 0, u"AIP32.INVN32"}));
    EXPECT_EQ(Read(links.Get(), 2), (LinkRecord{u"APLIB", 1, u"APILibrary"}));
    ComPtr<kfx::ILink> link;
    EXPECT_EQ(links->get_Item(3, link.Put()), kfx::HR_DISP_E_BADINDEX);
    EXPECT_EQ(links->get_Item(u"APILibrary", link.Put()), kfx::HR_E_INVALIDARG);

    EXPECT_EQ(links->RemoveAll(), kfx::HR_S_OK);
    EXPECT_EQ(links->Add(u"", kfx::KFX_REL_UNDEFINED_LINK, u"password"), kfx::HR_S_OK);
    EXPECT_EQ(links->Add(u"Batch Name", kfx::KFX_REL_VARIABLE, u"AIP32.CLOC32"), kfx::HR_S_OK);
    // Another reference to the collection sees the same working list.
    ComPtr<kfx::ILinks> again = GetLinks();
    EXPECT_EQ(again.Get(), links.Get());
    ASSERT_EQ(again->get_Count(&count), kfx::HR_S_OK);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(Read(again.Get(), 2), (LinkRecord{u"Batch Name", 2, u"AIP32.CLOC32"}));
}

TEST_F(SetupObjectsTest, AddRefusesASourceTypeTheHostDoesNotKnow) {
    ComPtr<kfx::ILinks> links = GetLinks();
    for (std::int32_t sourceType : {-2, 5, 7}) {
        EXPECT_EQ(links->Add(u"x", sourceType, u"AIP32.INVN32"), kfx::HR_E_INVALIDARG) << sourceType;
    }
    std::int32_t count = 0;
    ASSERT_EQ(links->get_Count(&count), kfx::HR_S_OK);
    EXPECT_EQ(count, 2);
}

TEST_F(SetupObjectsTest, EditsReachTheStoreOnlyThroughApply) {
    ComPtr<kfx::ILinks> links = GetLinks();
    ASSERT_EQ(links->RemoveAll(), kfx::HR_S_OK);
    ASSERT_EQ(links->Add(u"First Page Original File Name", 2, u"OriginalFileName"), kfx::HR_S_OK);
    ASSERT_EQ(data_->put_Name(u"Renamed"), kfx::HR_S_OK);
    Text name;
    ASSERT_EQ(data_->get_Name(&name), kfx::HR_S_OK);
    EXPECT_EQ(name, u"Renamed");
    EXPECT_TRUE(applied_.empty());
    EXPECT_EQ(data_->Committed(), SampleClass());

    ASSERT_EQ(data_->Apply(), kfx::HR_S_OK);
    DocumentClass expected = SampleClass();
    expected.links = {{u"First Page Original File Name", 2, u"OriginalFileName"}};
    expected.releaseScriptName = u"Renamed";
    ASSERT_EQ(applied_.size(), 1u);
    EXPECT_EQ(applied_[0], expected);
    EXPECT_EQ(data_->Committed(), expected);
    EXPECT_EQ(data_->AppliedCount(), 1);
}

TEST(SetupObjectsApplyTest, AFailingStoreFailsApplyAndCommitsNothing) {
    auto data = MakeHostObject<ReleaseSetupData>(nullptr, SampleClass(), [](const DocumentClass&) {
        throw std::runtime_error("store.json: cannot write: disk full");
    });
    ASSERT_EQ(data->put_Name(u"Renamed"), kfx::HR_S_OK);
    EXPECT_EQ(data->Apply(), kfx::HR_E_FAIL);
    EXPECT_EQ(data->ApplyFailure(), "store.json: cannot write: disk full");
    EXPECT_EQ(data->AppliedCount(), 0);
    EXPECT_EQ(data->Committed(), SampleClass());
}

TEST_F(SetupObjectsTest, IndexFieldsByPosition) {
    ComPtr<kfx::IIndexFields> fields;
    ASSERT_EQ(data_->get_IndexFields(fields.Put()), kfx::HR_S_OK);
    std::int32_t count = 0;
    ASSERT_EQ(fields->get_Count(&count), kfx::HR_S_OK);
    ASSERT_EQ(count, 2);
    std::vector<Text> names;
    for (std::int32_t i = 1; i <= count; ++i) {
        ComPtr<kfx::IIndexField> field;
        ASSERT_EQ(fields->get_Item(i, field.Put()), kfx::HR_S_OK);
        Text name;
        ASSERT_EQ(field->get_Name(&name), kfx::HR_S_OK);
        names.push_back(name);
    }
    EXPECT_EQ(names, (std::vector<Text>{u"Invoice Number", u"Description"}));
    ComPtr<kfx::IIndexField> field;
    EXPECT_EQ(fields->get_Item(0, field.Put()), kfx::HR_DISP_E_BADINDEX);
}

TEST_F(SetupObjectsTest, BatchVariableNamesEnumerateInTheHostsOrder) {
    ComPtr<kfx::IUnknown> object;
    ASSERT_EQ(data_->get_BatchVariableNames(object.Put()), kfx::HR_S_OK);
    ComPtr<kfx::IBatchVariableNames> names;
    ASSERT_EQ(kfx::QueryInterfaceAs(object.Get(), kfx::IID_IBatchVariableNames, names), kfx::HR_S_OK);
    ComPtr<kfx::IBatchVariableNames> legacy;
    EXPECT_EQ(kfx::QueryInterfaceAs(object.Get(), kfx::IID_IBatchVariableNamesLegacy, legacy), kfx::HR_E_NOINTERFACE);

    ComPtr<kfx::IUnknown> enumeratorObject;
    ASSERT_EQ(names->get__NewEnum(enumeratorObject.Put()), kfx::HR_S_OK);
    ComPtr<kfx::IEnumVARIANT> enumerator;
    ASSERT_EQ(kfx::QueryInterfaceAs(enumeratorObject.Get(), kfx::IID_IEnumVARIANT, enumerator), kfx::HR_S_OK);
    std::vector<Text> seen;
    kfx::Variant item;
    while (enumerator->Next(&item) == kfx::HR_S_OK) seen.push_back(item.AsText());
    EXPECT_TRUE(item.IsEmpty());
    EXPECT_EQ(seen, (std::vector<Text>{u"First Page Original File Name", u"Batch Name"}));
    EXPECT_EQ(enumerator->Next(&item), kfx::HR_S_FALSE);
}

TEST_F(SetupObjectsTest, ReferenceCountsFollowEveryHandOut) {
    EXPECT_EQ(data_->References(), 1u);
    kfx::IReleaseSetupData* raw = nullptr;
    ASSERT_EQ(data_->QueryInterface(kfx::IID_IReleaseSetupData, reinterpret_cast<void**>(&raw)), kfx::HR_S_OK);
    EXPECT_EQ(data_->References(), 2u);
    EXPECT_EQ(raw->Release(), 1u);

    ComPtr<kfx::ILinks> links = GetLinks();
    EXPECT_EQ(static_cast<Links*>(links.Get())->References(), 2u);
    void* other = nullptr;
    EXPECT_EQ(links->QueryInterface(kfx::IID_IIndexFields, &other), kfx::HR_E_NOINTERFACE);
    EXPECT_EQ(static_cast<Links*>(links.Get())->References(), 2u);
}

}  // namespace
}  // namespace standin
