#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "host_standin/release_data.h"

namespace standin {
namespace {

using kfx::ComPtr;

constexpr kfx::HRESULT kPlanned = static_cast<kfx::HRESULT>(0x80041234);

ReleaseDocument TwoValues() {
    ReleaseDocument document;
    document.values = {{u"AIP32.INVN32", u"1001", u"", {}}, {u"AIP33.DESC33", u"", u"Lines", {u"Bolts", u"Nuts"}}};
    return document;
}

// Reads everything a release script reads, in a fixed order, and answers the
// status of each call until the first failure.
std::vector<kfx::HRESULT> ReadEverything(kfx::IReleaseData* data) {
    std::vector<kfx::HRESULT> statuses;
    auto step = [&](kfx::HRESULT hr) {
        statuses.push_back(hr);
        return kfx::Succeeded(hr);
    };
    kfx::Text text;
    ComPtr<kfx::IValues> values;
    if (!step(data->get_KofaxPDFFileName(&text)) || !step(data->get_Values(values.Put()))) return statuses;
    std::int32_t count = 0;
    if (!step(values->get_Count(&count))) return statuses;
    for (std::int32_t i = 1; i <= count; ++i) {
        ComPtr<kfx::IValue> value;
        if (!step(values->get_Item(i, value.Put())) || !step(value->get_TableName(&text))) return statuses;
        if (text.empty()) continue;
        ComPtr<kfx::IUnknown> object;
        ComPtr<kfx::IRowValues> rows;
        std::int32_t rowCount = 0;
        if (!step(value->get_RowValues(0, object.Put())) ||
            !step(kfx::QueryInterfaceAs(object.Get(), kfx::IID_IRowValues, rows)) || !step(rows->get_Count(&rowCount)))
            return statuses;
        for (std::int32_t r = 1; r <= rowCount; ++r) {
            ComPtr<kfx::IRowValue> row;
            if (!step(rows->get_Item(r, row.Put())) || !step(row->get_Value(&text))) return statuses;
        }
    }
    return statuses;
}

TEST(FaultPlanTest, ListsEveryCallInOrder) {
    auto plan = std::make_shared<FaultPlan>();
    auto data = MakeHostObject<ReleaseData>(plan, TwoValues(), std::make_shared<MessageSink>());
    ReadEverything(data.Get());
    const std::vector<std::string> expected = {
        "ReleaseData.get_KofaxPDFFileName", "ReleaseData.get_Values", "Values.get_Count",
        "Values.get_Item",  "Value.get_TableName", "Values.get_Item", "Value.get_TableName",
        "Value.get_RowValues", "RowValues.QueryInterface", "RowValues.get_Count", "RowValues.get_Item",
        "RowValue.get_Value", "RowValues.get_Item", "RowValue.get_Value"};
    EXPECT_EQ(plan->Calls(), expected);
    EXPECT_EQ(plan->CallCount("Values.get_Item"), 2);
    EXPECT_EQ(plan->CallCount("Values.RemoveAll"), 0);
}

// Fails each call of a clean run in turn: exactly that call answers the
// planned result, every call before it succeeds.
TEST(FaultPlanTest, FailingEachCallInTurnFailsExactlyThatCall) {
    auto probe = std::make_shared<FaultPlan>();
    auto probed = MakeHostObject<ReleaseData>(probe, TwoValues(), std::make_shared<MessageSink>());
    ReadEverything(probed.Get());
    const std::vector<std::string> calls = probe->Calls();

    std::map<std::string, int> seen;
    for (std::size_t k = 0; k < calls.size(); ++k) {
        const int nth = ++seen[calls[k]];
        auto plan = std::make_shared<FaultPlan>();
        plan->FailNthCall(calls[k], nth, kPlanned);
        auto data = MakeHostObject<ReleaseData>(plan, TwoValues(), std::make_shared<MessageSink>());
        const std::vector<kfx::HRESULT> statuses = ReadEverything(data.Get());
        ASSERT_EQ(statuses.size(), k + 1) << calls[k] << " #" << nth;
        EXPECT_EQ(statuses.back(), kPlanned) << calls[k] << " #" << nth;
    }
}

TEST(FaultPlanTest, FailsEveryCallOfANameAndEmptiesOutValues) {
    auto plan = std::make_shared<FaultPlan>();
    plan->FailEveryCall("Value.get_Value", kfx::HR_E_FAIL);
    auto data = MakeHostObject<ReleaseData>(plan, TwoValues(), std::make_shared<MessageSink>());
    ComPtr<kfx::IValues> values;
    ASSERT_EQ(data->get_Values(values.Put()), kfx::HR_S_OK);
    for (std::int32_t i = 1; i <= 2; ++i) {
        ComPtr<kfx::IValue> value;
        ASSERT_EQ(values->get_Item(i, value.Put()), kfx::HR_S_OK);
        kfx::Text text = u"stale";
        EXPECT_EQ(value->get_Value(&text), kfx::HR_E_FAIL);
        EXPECT_EQ(text, u"");
        EXPECT_EQ(value->get_Destination(&text), kfx::HR_S_OK);
    }
}

TEST(FaultPlanTest, AFailedLogCallRecordsNothing) {
    auto plan = std::make_shared<FaultPlan>();
    plan->FailNthCall("ReleaseData.SendMessage", 1, kfx::HR_E_FAIL);
    auto sink = std::make_shared<MessageSink>();
    auto data = MakeHostObject<ReleaseData>(plan, TwoValues(), sink);
    EXPECT_EQ(data->SendMessage(u"first", 1, 1), kfx::HR_E_FAIL);
    EXPECT_EQ(data->SendMessage(u"second", 1, 1), kfx::HR_S_OK);
    EXPECT_EQ(sink->DocumentMessages(), (std::vector<DocumentMessage>{{u"second", 1, 1}}));
}

TEST(FaultPlanTest, RefusesPlansThatCannotFail) {
    FaultPlan plan;
    EXPECT_THROW(plan.FailNthCall("Values.get_Item", 0, kfx::HR_E_FAIL), std::invalid_argument);
    EXPECT_THROW(plan.FailNthCall("Values.get_Item", 1, kfx::HR_S_OK), std::invalid_argument);
    EXPECT_THROW(plan.FailEveryCall("Values.get_Item", kfx::HR_S_FALSE), std::invalid_argument);
}

}  // namespace
}  // namespace standin
