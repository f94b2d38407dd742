#include <gtest/gtest.h>

#include "host/release_setup_data.h"
#include "host_standin/release_data.h"
#include "tests/host_standin/release_samples.h"

namespace standin {
namespace {

using kfx::ComPtr;
using kfx::Text;

class ReleaseObjectsTest : public ::testing::Test {
protected:
    void TearDown() override {
        data_.Reset();
        EXPECT_EQ(LiveHostObjects(), liveBefore_) << "a host object outlived its last reference";
    }

    ComPtr<kfx::IValues> GetValues() {
        ComPtr<kfx::IValues> values;
        EXPECT_EQ(data_->get_Values(values.Put()), kfx::HR_S_OK);
        return values;
    }

    ComPtr<kfx::IValue> Item(const kfx::Variant& key) {
        ComPtr<kfx::IValue> value;
        EXPECT_EQ(GetValues()->get_Item(key, value.Put()), kfx::HR_S_OK);
        return value;
    }

    static Text TextOf(kfx::HRESULT (kfx::IValue::*read)(Text*), kfx::IValue* value) {
        Text text;
        EXPECT_EQ((value->*read)(&text), kfx::HR_S_OK);
        return text;
    }

    const std::int64_t liveBefore_ = LiveHostObjects();
    std::shared_ptr<MessageSink> sink_ = std::make_shared<MessageSink>();
    ComPtr<ReleaseData> data_ = MakeHostObject<ReleaseData>(nullptr, samples::ReleaseDocumentSample(), sink_);
};

TEST_F(ReleaseObjectsTest, ReadsTheDocumentsTexts) {
    struct Case {
        kfx::HRESULT (kfx::IReleaseData::*read)(Text*);
        Text expected;
    };
    const Case cases[] = {{&kfx::IReleaseData::get_KofaxPDFFileName, u"inv-1001.pdf"},
                          {&kfx::IReleaseData::get_ConnectString, u"sqlite:db"},
                          {&kfx::IReleaseData::get_UserName, u"clerk"},
                          {&kfx::IReleaseData::get_Password, u"secret"}};
    kfx::IReleaseData* data = data_.Get();
    for (const Case& c : cases) {
        Text text;
        EXPECT_EQ((data->*c.read)(&text), kfx::HR_S_OK);
        EXPECT_EQ(text, c.expected);
    }
}

TEST_F(ReleaseObjectsTest, ValuesCountFromOneAndRefusePositionsOutside) {
    std::int32_t count = 0;
    ASSERT_EQ(GetValues()->get_Count(&count), kfx::HR_S_OK);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(TextOf(&kfx::IValue::get_Destination, Item(1).Get()), u"AIP32.INVN32");
    EXPECT_EQ(TextOf(&kfx::IValue::get_Destination, Item(4).Get()), u"serverName");
    for (std::int32_t outside : {0, 5, -1}) {
        kfx::IValue* value = reinterpret_cast<kfx::IValue*>(0x1);
        EXPECT_EQ(GetValues()->get_Item(outside, &value), kfx::HR_DISP_E_BADINDEX) << outside;
        EXPECT_EQ(value, nullptr);
    }
    ComPtr<kfx::IValue> value;
    EXPECT_EQ(GetValues()->get_Item(kfx::Variant(), value.Put()), kfx::HR_E_INVALIDARG);
}

TEST_F(ReleaseObjectsTest, ValuesByDestinationTakeTheFirstExactMatchAndFailWhenAbsent) {
    EXPECT_EQ(TextOf(&kfx::IValue::get_Value, Item(u"AIP32.INVN32").Get()), u"1001");
    EXPECT_EQ(TextOf(&kfx::IValue::get_Value, Item(u"serverName").Get()), u"sqlite:other");
    for (const char16_t* absent : {u"APILibrary", u"servername", u"aip32.INVN32", u""}) {
        ComPtr<kfx::IValue> value;
        EXPECT_EQ(GetValues()->get_Item(absent, value.Put()), kfx::HR_DISP_E_BADINDEX);
        EXPECT_FALSE(value);
    }
}

TEST_F(ReleaseObjectsTest, TableFieldOffersItsRowsInOrderThroughIRowValues) {
    ComPtr<kfx::IValue> lines = Item(u"AIP33.DESC33");
    EXPECT_EQ(TextOf(&kfx::IValue::get_TableName, lines.Get()), u"Lines");
    EXPECT_EQ(TextOf(&kfx::IValue::get_Value, lines.Get()), u"");

    ComPtr<kfx::IUnknown> rowsObject;
    ASSERT_EQ(lines->get_RowValues(0, rowsObject.Put()), kfx::HR_S_OK);
    ComPtr<kfx::IRowValues> rows;
    ASSERT_EQ(kfx::QueryInterfaceAs(rowsObject.Get(), kfx::IID_IRowValues, rows), kfx::HR_S_OK);
    std::int32_t count = 0;
    ASSERT_EQ(rows->get_Count(&count), kfx::HR_S_OK);
    ASSERT_EQ(count, 3);
    std::vector<Text> texts;
    for (std::int32_t r = 1; r <= count; ++r) {
        ComPtr<kfx::IRowValue> row;
        ASSERT_EQ(rows->get_Item(r, row.Put()), kfx::HR_S_OK);
        Text text = u"unset";
        ASSERT_EQ(row->get_Value(&text), kfx::HR_S_OK);
        texts.push_back(text);
    }
    EXPECT_EQ(texts, (std::vector<Text>{u"Bolts", u"Nuts", u""}));
    ComPtr<kfx::IRowValue> row;
    EXPECT_EQ(rows->get_Item(4, row.Put()), kfx::HR_DISP_E_BADINDEX);
    EXPECT_EQ(rows->get_Item(0, row.Put()), kfx::HR_DISP_E_BADINDEX);
}

TEST_F(ReleaseObjectsTest, RowValuesTakeOnlyKeyZeroAndAreEmptyForASingleValue) {
    ComPtr<kfx::IUnknown> rowsObject;
    EXPECT_EQ(Item(2)->get_RowValues(1, rowsObject.Put()), kfx::HR_E_INVALIDARG);
    EXPECT_EQ(Item(2)->get_RowValues(u"0", rowsObject.Put()), kfx::HR_E_INVALIDARG);

    ComPtr<kfx::IValue> single = Item(1);
    EXPECT_EQ(TextOf(&kfx::IValue::get_TableName, single.Get()), u"");
    ASSERT_EQ(single->get_RowValues(0, rowsObject.Put()), kfx::HR_S_OK);
    ComPtr<kfx::IRowValues> rows;
    ASSERT_EQ(kfx::QueryInterfaceAs(rowsObject.Get(), kfx::IID_IRowValues, rows), kfx::HR_S_OK);
    std::int32_t count = -1;
    EXPECT_EQ(rows->get_Count(&count), kfx::HR_S_OK);
    EXPECT_EQ(count, 0);
}

TEST_F(ReleaseObjectsTest, CustomPropertiesByNameOnly) {
    ComPtr<kfx::ICustomProperties> properties;
    ASSERT_EQ(data_->get_CustomProperties(properties.Put()), kfx::HR_S_OK);
    ComPtr<kfx::ICustomProperty> property;
    ASSERT_EQ(properties->get_Item(u"serverAPILibrary", property.Put()), kfx::HR_S_OK);
    Text value;
    EXPECT_EQ(property->get_Value(&value), kfx::HR_S_OK);
    EXPECT_EQ(value, u"APLIB");
    ASSERT_EQ(properties->get_Item(u"SanitiseCodepage", property.Put()), kfx::HR_S_OK);
    EXPECT_EQ(property->get_Value(&value), kfx::HR_S_OK);
    EXPECT_EQ(value, u"");

    EXPECT_EQ(properties->get_Item(u"SanitiseReplacementChar", property.Put()), kfx::HR_DISP_E_BADINDEX);
    EXPECT_EQ(properties->get_Item(u"serverapilibrary", property.Put()), kfx::HR_DISP_E_BADINDEX);
    EXPECT_EQ(properties->get_Item(1, property.Put()), kfx::HR_E_INVALIDARG);
    EXPECT_FALSE(property);
}

TEST_F(ReleaseObjectsTest, LogErrorAndSendMessageReachTheSinkInCallOrder) {
    EXPECT_EQ(data_->LogError(1, 0, 0, u"Error in ReleaseDoc: line one\nline two", u"releaseScript", 526), kfx::HR_S_OK);
    EXPECT_EQ(data_->SendMessage(u"Error in ReleaseDoc: line one\nline two", 1, 1), kfx::HR_S_OK);
    EXPECT_EQ(data_->LogError(0, 0, 0, u"Document Released Successfully x", u"releaseScript", 539), kfx::HR_S_OK);

    ASSERT_EQ(sink_->All().size(), 3u);
    EXPECT_TRUE(std::holds_alternative<DocumentMessage>(sink_->All()[1]));
    EXPECT_EQ(sink_->ErrorLog(),
              (std::vector<ErrorLogEntry>{{1, 0, 0, u"Error in ReleaseDoc: line one\nline two", u"releaseScript", 526},
                                          {0, 0, 0, u"Document Released Successfully x", u"releaseScript", 539}}));
    EXPECT_EQ(sink_->DocumentMessages(),
              (std::vector<DocumentMessage>{{u"Error in ReleaseDoc: line one\nline two", 1, 1}}));
}

TEST_F(ReleaseObjectsTest, QueryInterfaceOffersIUnknownAndOwnInterfaceOnly) {
    struct Case {
        kfx::Guid iid;
        kfx::HRESULT expected;
    };
    const Case cases[] = {{kfx::IID_IUnknown, kfx::HR_S_OK},
                          {kfx::IID_IReleaseData, kfx::HR_S_OK},
                          {kfx::IID_IValues, kfx::HR_E_NOINTERFACE},
                          {kfx::IID_IReleaseSetupData, kfx::HR_E_NOINTERFACE}};
    for (const Case& c : cases) {
        void* object = reinterpret_cast<void*>(0x1);
        EXPECT_EQ(data_->QueryInterface(c.iid, &object), c.expected) << kfx::GuidToString(c.iid);
        if (c.expected == kfx::HR_S_OK) {
            EXPECT_EQ(object, static_cast<kfx::IReleaseData*>(data_.Get()));
            EXPECT_EQ(data_->References(), 2u);
            static_cast<kfx::IUnknown*>(object)->Release();
        } else {
            EXPECT_EQ(object, nullptr);
        }
        EXPECT_EQ(data_->References(), 1u);
    }
    EXPECT_EQ(data_->QueryInterface(kfx::IID_IUnknown, nullptr), kfx::HR_E_POINTER);
}

TEST_F(ReleaseObjectsTest, HandedOutPartsAreCountedAndOutliveTheirParent) {
    ComPtr<kfx::IValues> values = GetValues();
    ComPtr<kfx::IValue> first = Item(1);
    ComPtr<kfx::IValue> again = Item(1);
    EXPECT_EQ(first.Get(), again.Get());
    EXPECT_EQ(static_cast<Value*>(first.Get())->References(), 3u);  // the collection's and two of ours

    data_.Reset();
    std::int32_t count = 0;
    EXPECT_EQ(values->get_Count(&count), kfx::HR_S_OK);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(TextOf(&kfx::IValue::get_Value, first.Get()), u"1001");
}

TEST_F(ReleaseObjectsTest, NullOutPointersAreRefused) {
    EXPECT_EQ(data_->get_Values(nullptr), kfx::HR_E_POINTER);
    EXPECT_EQ(data_->get_UserName(nullptr), kfx::HR_E_POINTER);
    EXPECT_EQ(GetValues()->get_Count(nullptr), kfx::HR_E_POINTER);
    EXPECT_EQ(GetValues()->get_Item(1, nullptr), kfx::HR_E_POINTER);
}

}  // namespace
}  // namespace standin
