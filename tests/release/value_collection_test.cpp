#include "release/value_collection.h"

#include <gtest/gtest.h>

#include "data_access/ax_connection.h"
#include "host/utf8.h"
#include "host_standin/values.h"
#include "tests/support/database_fixture.h"

namespace veldmark {
namespace {

struct SplitCase {
    const char16_t* destination;
    const char16_t* file;
    const char16_t* field;
};

TEST(SplitDestination, CutsAtTheFirstAndSecondFullStop) {
    const SplitCase cases[] = {
        {u"AIP32.INVN32", u"AIP32", u"INVN32"}, {u"AIP33.LQTY33.extra", u"AIP33", u"LQTY33"},
        {u"serverName", u"serverName", u""},    {u"AIP32", u"AIP32", u""},
        {u"AIP32.", u"AIP32", u""},             {u"", u"", u""},
    };
    for (const SplitCase& c : cases) {
        const DestinationParts parts = SplitDestination(c.destination);
        EXPECT_EQ(parts.file, c.file) << kfx::ToUtf8(c.destination);
        EXPECT_EQ(parts.field, c.field) << kfx::ToUtf8(c.destination);
    }
}

TEST(LineSlots, KeepTheFirstValueAndOrderByCodeUnits) {
    LineSlots slots;
    addCommonLineValue(slots, u"b", u"1");
    addCommonLineValue(slots, u"B", u"2");
    addCommonLineValue(slots, u"b", u"3");
    ASSERT_EQ(slots.size(), 1u);
    std::vector<std::pair<Text, Text>> entries(slots[0].begin(), slots[0].end());
    EXPECT_EQ(entries, (std::vector<std::pair<Text, Text>>{{u"B", u"2"}, {u"b", u"1"}}));
}

// Collection into a real header row of the embedded database.
class Collection : public testsupport::DatabaseFixture {
protected:
    void SetUp() override {
        connection_.Create();
        connection_.Open(ConnectionText(), u"", u"");
        header_.Open(u"SELECT * FROM APLIB.AIP32 WHERE 1=0", &connection_);
        header_.AddNew();
    }

    bool Collect() {
        kfx::ComPtr<standin::Values> values(new standin::Values(hostPlan_, values_));
        return readVariables(values.Get(), header_, slots_);
    }

    std::shared_ptr<standin::FaultPlan> hostPlan_ = std::make_shared<standin::FaultPlan>();
    std::vector<standin::ResolvedValue> values_;
    dbAx::CAxConnection connection_;
    dbAx::CAxRecordset header_;
    LineSlots slots_;
};

TEST_F(Collection, SettingsAloneAssignNothing) {
    values_ = {{u"serverName", u"x", {}, {}}, {u"password", u"y", {}, {}}, {u"OriginalFolder", u"/s", {}, {}}};
    EXPECT_TRUE(Collect());
    EXPECT_TRUE(slots_.empty());
    EXPECT_EQ(std::count(plan_.Calls().begin(), plan_.Calls().end(), "Fields.Item()"), 0);
}

TEST_F(Collection, HeaderKeysAlsoGoToEveryLine) {
    values_ = {{u"AIP32.INVN32", u"12345", {}, {}},
               {u"AIP32.CDAC32", u"01SUPP", {}, {}},
               {u"AIP32.RTYP32", u"3", {}, {}},
               {u"AIP32.CURN32", u"EUR", {}, {}}};
    EXPECT_TRUE(Collect());
    ASSERT_EQ(slots_.size(), 1u);
    EXPECT_EQ(slots_[0], (LineSlot{{u"CDAC32", u"01SUPP"}, {u"CDAC33", u"01SUPP"}, {u"INVN33", u"12345"},
                                   {u"RTYP33", u"3"}}));
}

TEST_F(Collection, TablesFillOneSlotPerRow) {
    values_ = {{u"AIP33.DESC33", {}, u"Lines", {u"a", u"b", u"c"}},
               {u"AIP33.ADVN33", {}, u"Advice", {u"x", u"y"}},
               {u"AIP33.VATC33", u"S", {}, {}}};
    EXPECT_TRUE(Collect());
    ASSERT_EQ(slots_.size(), 4u);
    EXPECT_EQ(slots_[0], (LineSlot{{u"VATC33", u"S"}}));
    EXPECT_EQ(slots_[1], (LineSlot{{u"ADVN33", u"x"}, {u"DESC33", u"a"}}));
    EXPECT_EQ(slots_[3], (LineSlot{{u"DESC33", u"c"}}));
}

TEST_F(Collection, AnEmptyTableStillMakesSlotZero) {
    values_ = {{u"AIP33.DESC33", {}, u"Lines", {}}};
    EXPECT_TRUE(Collect());
    EXPECT_EQ(slots_.size(), 1u);
    EXPECT_TRUE(slots_[0].empty());
}

TEST_F(Collection, OtherFilesAndOtherCaseAreIgnored) {
    values_ = {{u"aip32.INVN32", u"1", {}, {}}, {u"AIP34.X", u"2", {}, {}}, {u"AIP32", u"3", {}, {}}};
    EXPECT_TRUE(Collect());
    EXPECT_TRUE(slots_.empty());
}

TEST_F(Collection, UnreadableValuesTablesAndRowsAreSkipped) {
    values_ = {{u"AIP33.VATC33", u"S", {}, {}},
               {u"AIP33.DESC33", {}, u"Lines", {u"a", u"b", u"c"}},
               {u"AIP33.ADVN33", {}, u"Advice", {u"x", u"y"}}};
    hostPlan_->FailNthCall("Values.get_Item", 1, kfx::HR_E_FAIL);       // the single value
    hostPlan_->FailNthCall("RowValue.get_Value", 2, kfx::HR_E_FAIL);     // row 2 of the first table
    hostPlan_->FailNthCall("RowValues.get_Count", 2, kfx::HR_E_FAIL);    // the second table
    EXPECT_TRUE(Collect());
    ASSERT_EQ(slots_.size(), 4u);
    EXPECT_TRUE(slots_[0].empty());
    EXPECT_EQ(slots_[1], (LineSlot{{u"DESC33", u"a"}}));
    EXPECT_TRUE(slots_[2].empty());
}

TEST_F(Collection, AnUnreadableTableNameMakesACommonValue) {
    values_ = {{u"AIP33.DESC33", {}, u"Lines", {u"a"}}};
    hostPlan_->FailEveryCall("Value.get_TableName", kfx::HR_E_FAIL);
    EXPECT_TRUE(Collect());
    ASSERT_EQ(slots_.size(), 1u);
    EXPECT_EQ(slots_[0], (LineSlot{{u"DESC33", u""}}));
}

}  // namespace
}  // namespace veldmark
