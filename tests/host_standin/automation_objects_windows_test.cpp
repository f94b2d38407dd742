// The stand-in's objects as automation objects, reached late-bound as the
// component reaches them on Windows: by member name only, with every kind of
// failure arriving as a failed result, texts as BSTRs and numbers as VT_I4.
#include "host/windows_api.h"

#include <gtest/gtest.h>

#include <oleauto.h>

#include "host/automation_values_windows.h"
#include "host/late_bound_call_windows.h"
#include "host/kfx_types.h"
#include "host/late_bound_host_windows.h"
#include "host_standin/automation_host_objects_windows.h"
#include "host_standin/release_data.h"
#include "host_standin/release_setup_data.h"
#include "tests/host_standin/release_samples.h"

namespace standin {
namespace {

using kfx::ComPtr;
using kfx::Text;

class AutomationObjectsTest : public ::testing::Test {
protected:
    AutomationObjectsTest()
        : host_(MakeHostObject<ReleaseData>(plan_, samples::ReleaseDocumentSample(), std::make_shared<MessageSink>())),
          object_(ComPtr<IDispatch>::Adopt(automation::AutomationObjectOf(host_.Get()))),
          data_(kfx::late_bound::ReleaseDataOf(object_.Get())) {}

    void TearDown() override {
        data_.Reset();
        object_.Reset();
        host_.Reset();
        EXPECT_EQ(LiveHostObjects(), liveBefore_) << "a host object outlived its last reference";
    }

    // A property read straight through IDispatch, as any automation client would.
    HRESULT Get(IDispatch* object, const wchar_t* name, VARIANT* result) {
        DISPID id = DISPID_UNKNOWN;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        const HRESULT found = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        if (FAILED(found)) return found;
        DISPPARAMS none{};
        return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, result, nullptr,
                              nullptr);
    }

    std::int64_t liveBefore_ = LiveHostObjects();
    std::shared_ptr<FaultPlan> plan_ = std::make_shared<FaultPlan>();
    ComPtr<ReleaseData> host_;
    ComPtr<IDispatch> object_;
    ComPtr<kfx::IReleaseData> data_;
};

TEST_F(AutomationObjectsTest, EveryPropertyReadsAsTheHostHoldsIt) {
    Text text;
    const std::pair<kfx::HRESULT (kfx::IReleaseData::*)(Text*), const char16_t*> properties[] = {
        {&kfx::IReleaseData::get_KofaxPDFFileName, u"inv-1001.pdf"},
        {&kfx::IReleaseData::get_ConnectString, u"sqlite:db"},
        {&kfx::IReleaseData::get_UserName, u"clerk"},
        {&kfx::IReleaseData::get_Password, u"secret"},
    };
    for (const auto& [read, expected] : properties) {
        EXPECT_EQ((data_.Get()->*read)(&text), kfx::HR_S_OK);
        EXPECT_EQ(text, expected);
    }

    ComPtr<kfx::IValues> values;
    ASSERT_EQ(data_->get_Values(values.Put()), kfx::HR_S_OK);
    std::int32_t count = 0;
    EXPECT_EQ(values->get_Count(&count), kfx::HR_S_OK);
    EXPECT_EQ(count, 4);
    ComPtr<kfx::IValue> value;
    ASSERT_EQ(values->get_Item(kfx::Variant(u"AIP33.DESC33"), value.Put()), kfx::HR_S_OK);
    EXPECT_EQ(value->get_TableName(&text), kfx::HR_S_OK);
    EXPECT_EQ(text, u"Lines");

    ComPtr<kfx::IUnknown> rowsObject;
    ASSERT_EQ(value->get_RowValues(kfx::Variant(0), rowsObject.Put()), kfx::HR_S_OK);
    ComPtr<kfx::IRowValues> rows;
    ASSERT_EQ(kfx::QueryInterfaceAs(rowsObject.Get(), kfx::IID_IRowValues, rows), kfx::HR_S_OK);
    ComPtr<kfx::IRowValue> row;
    ASSERT_EQ(rows->get_Item(kfx::Variant(2), row.Put()), kfx::HR_S_OK);
    EXPECT_EQ(row->get_Value(&text), kfx::HR_S_OK);
    EXPECT_EQ(text, u"Nuts");

    ComPtr<kfx::ICustomProperties> properties2;
    ASSERT_EQ(data_->get_CustomProperties(properties2.Put()), kfx::HR_S_OK);
    ComPtr<kfx::ICustomProperty> property;
    ASSERT_EQ(properties2->get_Item(kfx::Variant(u"serverAPILibrary"), property.Put()), kfx::HR_S_OK);
    EXPECT_EQ(property->get_Value(&text), kfx::HR_S_OK);
    EXPECT_EQ(text, u"APLIB");

    EXPECT_EQ(data_->LogError(1, 0, 0, u"Error in ReleaseDoc", u"releaseScript", 526), kfx::HR_S_OK);
    EXPECT_EQ(data_->SendMessage(u"Error in ReleaseDoc", 1, kfx::KFX_REL_DOC_ERROR), kfx::HR_S_OK);
    ASSERT_EQ(host_->Messages().ErrorLog().size(), 1u);
    EXPECT_EQ(host_->Messages().ErrorLog()[0].lineNumber, 526);
    EXPECT_EQ(host_->Messages().ErrorLog()[0].codeModule, u"releaseScript");
    ASSERT_EQ(host_->Messages().DocumentMessages().size(), 1u);
    EXPECT_EQ(host_->Messages().DocumentMessages()[0].infoRet, 1);
}

TEST_F(AutomationObjectsTest, TextsComeAsBstrsAndNumbersAsFourByteIntegers) {
    kfx::automation::OwnedVariant result;
    ASSERT_EQ(Get(object_.Get(), L"ConnectString", result.Put()), S_OK);
    EXPECT_EQ(result.Get().vt, VT_BSTR);
    ASSERT_EQ(Get(object_.Get(), L"Values", result.Put()), S_OK);
    ASSERT_EQ(result.Get().vt, VT_DISPATCH);
    IDispatch* values = result.Get().pdispVal;
    kfx::automation::OwnedVariant count;
    ASSERT_EQ(Get(values, L"Count", count.Put()), S_OK);
    EXPECT_EQ(count.Get().vt, VT_I4);
    EXPECT_EQ(count.Get().lVal, 4);
}

TEST_F(AutomationObjectsTest, OnlyIDispatchAndThePublishedIdentifiersAreAnswered) {
    void* asked = nullptr;
    EXPECT_EQ(object_->QueryInterface(reinterpret_cast<REFIID>(kfx::IID_IReleaseData), &asked), E_NOINTERFACE);
    EXPECT_EQ(asked, nullptr);
    UINT typeInfoCount = 1;
    EXPECT_EQ(object_->GetTypeInfoCount(&typeInfoCount), S_OK);
    EXPECT_EQ(typeInfoCount, 0u) << "no type information to bind early from";
}

TEST_F(AutomationObjectsTest, TableRowsRefusingTheirIdentifierCannotBeRead) {
    plan_->FailEveryCall("RowValues.QueryInterface", kfx::HR_E_NOINTERFACE);
    ComPtr<kfx::IValues> values;
    ASSERT_EQ(data_->get_Values(values.Put()), kfx::HR_S_OK);
    ComPtr<kfx::IValue> value;
    ASSERT_EQ(values->get_Item(kfx::Variant(2), value.Put()), kfx::HR_S_OK);
    ComPtr<kfx::IUnknown> rowsObject;
    ASSERT_EQ(value->get_RowValues(kfx::Variant(0), rowsObject.Put()), kfx::HR_S_OK);
    ComPtr<kfx::IRowValues> rows;
    EXPECT_EQ(kfx::QueryInterfaceAs(rowsObject.Get(), kfx::IID_IRowValues, rows), kfx::HR_E_NOINTERFACE);
    EXPECT_FALSE(rows);
    EXPECT_EQ(plan_->CallCount("RowValues.QueryInterface"), 1) << "asked of the host's own object, once";
}

// Each way a late-bound call can fail arrives as a failed result, the text
// read emptied.
TEST_F(AutomationObjectsTest, EveryKindOfFailureArrivesAsAFailedResult) {
    plan_->FailEveryCall("ReleaseData.get_UserName", kfx::HR_E_FAIL);
    const kfx::late_bound::Caller caller(object_.Get());
    Text text = u"stale";
    EXPECT_EQ(caller.GetText(L"NoSuchMember", &text), static_cast<kfx::HRESULT>(DISP_E_UNKNOWNNAME));
    EXPECT_EQ(text, u"");
    text = u"stale";
    EXPECT_EQ(caller.GetText(L"UserName", &text), kfx::HR_E_FAIL) << "the host's exception, by its code";
    EXPECT_EQ(text, u"");
    EXPECT_EQ(caller.PutText(L"ConnectString", u"x"), static_cast<kfx::HRESULT>(DISP_E_MEMBERNOTFOUND))
        << "a property the host lets nobody set";
    kfx::late_bound::Arguments none;
    ::IUnknown* item = nullptr;
    EXPECT_EQ(kfx::late_bound::Caller(nullptr).GetText(L"UserName", &text), kfx::HR_E_POINTER);

    ComPtr<kfx::IValues> values;
    ASSERT_EQ(data_->get_Values(values.Put()), kfx::HR_S_OK);
    ComPtr<kfx::IValue> value;
    EXPECT_EQ(values->get_Item(kfx::Variant(u"AIP99.NONE99"), value.Put()), kfx::HR_DISP_E_BADINDEX);
    EXPECT_FALSE(value);
    EXPECT_EQ(values->get_Item(kfx::Variant(5), value.Put()), kfx::HR_DISP_E_BADINDEX);

    kfx::automation::OwnedVariant valuesObject;
    ASSERT_EQ(Get(object_.Get(), L"Values", valuesObject.Put()), S_OK);
    EXPECT_EQ(kfx::late_bound::Caller(valuesObject.Get().pdispVal).GetObject(L"Item", none, &item),
              static_cast<kfx::HRESULT>(DISP_E_BADPARAMCOUNT));
    EXPECT_EQ(item, nullptr);
}

TEST(AutomationSetupObjects, LinksNamesAndApplyGoThroughByName) {
    const std::int64_t liveBefore = LiveHostObjects();
    {
        DocumentClass stored;
        stored.documentClassName = u"Supplier Invoice";
        stored.hostValueNames = {u"Batch Name", u"First Page Original File Name"};
        stored.links = {{u"Invoice Number", kfx::KFX_REL_INDEXFIELD, u"AIP32.INVN32"}};
        DocumentClass applied;
        auto host = MakeHostObject<ReleaseSetupData>(nullptr, stored,
                                                     [&](const DocumentClass& committed) { applied = committed; });
        const ComPtr<IDispatch> object = ComPtr<IDispatch>::Adopt(automation::AutomationObjectOf(host.Get()));
        const ComPtr<kfx::IReleaseSetupData> data = kfx::late_bound::ReleaseSetupDataOf(object.Get());

        ComPtr<kfx::ILinks> links;
        ASSERT_EQ(data->get_Links(links.Put()), kfx::HR_S_OK);
        ComPtr<kfx::ILink> link;
        ASSERT_EQ(links->get_Item(kfx::Variant(1), link.Put()), kfx::HR_S_OK);
        std::int32_t sourceType = -1;
        EXPECT_EQ(link->get_SourceType(&sourceType), kfx::HR_S_OK);
        EXPECT_EQ(sourceType, kfx::KFX_REL_INDEXFIELD);
        EXPECT_EQ(links->RemoveAll(), kfx::HR_S_OK);
        EXPECT_EQ(links->Add(u"EUR", kfx::KFX_REL_TEXTCONSTANT, u"AIP32.CURN32"), kfx::HR_S_OK);
        EXPECT_EQ(data->put_Name(u"System21 export"), kfx::HR_S_OK);
        Text name;
        EXPECT_EQ(data->get_Name(&name), kfx::HR_S_OK);
        EXPECT_EQ(name, u"System21 export");

        ComPtr<kfx::IUnknown> namesObject;
        ASSERT_EQ(data->get_BatchVariableNames(namesObject.Put()), kfx::HR_S_OK);
        ComPtr<kfx::IBatchVariableNames> names;
        ASSERT_EQ(kfx::QueryInterfaceAs(namesObject.Get(), kfx::IID_IBatchVariableNames, names), kfx::HR_S_OK);
        ComPtr<kfx::IUnknown> enumeratorObject;
        ASSERT_EQ(names->get__NewEnum(enumeratorObject.Put()), kfx::HR_S_OK);
        ComPtr<kfx::IEnumVARIANT> enumerator;
        ASSERT_EQ(kfx::QueryInterfaceAs(enumeratorObject.Get(), kfx::IID_IEnumVARIANT, enumerator), kfx::HR_S_OK);
        std::vector<Text> enumerated;
        kfx::Variant item;
        while (enumerator->Next(&item) == kfx::HR_S_OK) enumerated.push_back(item.AsText());
        EXPECT_EQ(enumerated, stored.hostValueNames);

        EXPECT_EQ(data->Apply(), kfx::HR_S_OK);
        EXPECT_EQ(applied.links, (std::vector<LinkRecord>{{u"EUR", kfx::KFX_REL_TEXTCONSTANT, u"AIP32.CURN32"}}));
        EXPECT_EQ(applied.releaseScriptName, u"System21 export");
    }
    EXPECT_EQ(LiveHostObjects(), liveBefore) << "a host object outlived its last reference";
}

}  // namespace
}  // namespace standin
