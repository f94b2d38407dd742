#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "data_access/ax_connection.h"
#include "data_access/ax_recordset.h"
#include "data_access/destruction_failure.h"
#include "host/utf8.h"
#include "tests/support/database_fixture.h"
#include "tests/support/com_error_text.h"

namespace dbAx {
namespace {

// A connection to the embedded database and a recordset on a file of it,
// opened the way the release opens its files.
class Recordsets : public testsupport::DatabaseFixture {
protected:
    void SetUp() override {
        connection_.Create();
        connection_.CursorLocation(3);
        connection_.Open(ConnectionText(), u"", u"");
    }

    void OpenFile(CAxRecordset& recordset, const char16_t* file) {
        recordset.replacementChar = 0;
        ASSERT_TRUE(kfx::Succeeded(recordset.Create()));
        recordset.CursorType(0);
        recordset.CacheSize(1);
        recordset.Open(Text(u"SELECT * FROM APLIB.") + file + u" WHERE 1=0", &connection_);
        recordset.MarshalOptions(1);
    }

    // Sets one field of a new header row and commits it.
    void WriteHeader(const char16_t* field, Text value) {
        CAxRecordset header;
        OpenFile(header, u"AIP32");
        header.AddNew();
        header.SetField(field, value);
        header.Update();
    }

    CAxException RaisedBy(const std::function<void()>& operation) {
        try {
            operation();
        } catch (const CAxException& error) {
            return error;
        }
        ADD_FAILURE() << "nothing raised";
        return {};
    }

    int CallsOf(const std::string& name) const {
        return static_cast<int>(std::count(plan_.Calls().begin(), plan_.Calls().end(), name));
    }

    CAxConnection connection_;
};

TEST_F(Recordsets, AddsOneRowWithItsAssignedFields) {
    CAxRecordset header;
    OpenFile(header, u"AIP32");
    header.AddNew();
    Text invoice = u"INV0042", date = u"1240131", amount = u"12345.67";
    EXPECT_TRUE(header.SetField(u"INVN32", invoice));
    EXPECT_TRUE(header.SetField(u"DTIN32", date));
    // Seven digits fit DECIMAL(7, 2): the separator takes no digit's place.
    EXPECT_TRUE(header.SetField(u"DISP32", amount));
    header.Update();
    header.Dispose();
    EXPECT_EQ(Rows("AIP32", {"INVN32", "DTIN32", "DISP32", "CURN32"}),
              (std::vector<std::vector<std::string>>{{"INV0042", "1240131", "12345.67", " "}}));
}

struct DigitCase {
    const char16_t* field;
    const char16_t* value;
    const char16_t* raised;  // nullptr: passes the test
};

TEST_F(Recordsets, DecimalFieldsRefuseMoreDigitsThanTheirPrecision) {
    const DigitCase cases[] = {
        {u"NOPK32", u"12345", nullptr},
        {u"NOPK32", u"-1234", nullptr},
        // Passing the digit test, these meet the provider, which refuses them when assigned.
        {u"NOPK32", u" 1 234 ", u"Failed to set Field 'NOPK32' to value ' 1 234 ' (Error Code: 0x80040e21)"},
        {u"NOPK32", u"", u"Failed to set Field 'NOPK32' to value '' (Error Code: 0x80040e21)"},
        {u"NOPK32", u"123456", u"Invalid number of digits in decimal Field 'NOPK32' (6 > 5) (Error Code: 0x00000000)"},
        {u"DISP32", u"-12345.678", u"Invalid number of digits in decimal Field 'DISP32' (8 > 7) (Error Code: 0x00000000)"},
        // Not a decimal field: no digit test here.
        {u"INVN32", u"123456789", u"Failed to set Field 'INVN32' to value '123456789' (Error Code: 0x80040e21)"},
    };
    for (const DigitCase& c : cases) {
        CAxRecordset header;
        OpenFile(header, u"AIP32");
        header.AddNew();
        Text value = c.value;
        if (!c.raised) {
            EXPECT_NO_THROW(header.SetField(c.field, value)) << kfx::ToUtf8(c.value);
            continue;
        }
        CAxException error = RaisedBy([&] { header.SetField(c.field, value); });
        EXPECT_EQ(error.code, 5008);
        EXPECT_EQ(error.description, c.raised);
    }
}

struct ScriptDigitCase {
    Text value;
    std::optional<Text> raised;  // nothing: passes the test
};

TEST_F(Recordsets, DecimalDigitsOfEveryScriptTakeADigitsPlace) {
    // Only the digit test is judged here: the assignments themselves succeed
    // without reaching the database, whatever it would make of the text.
    plan_.Add({"Field.SetValue", 0, kfx::HR_S_OK});
    const Text boldZero = u"\U0001D7CE";  // a digit in two UTF-16 units
    const Text eight = u"Invalid number of digits in decimal Field 'DTIN32' (8 > 7) (Error Code: 0x00000000)";
    // DTIN32 is DECIMAL(7, 0).
    const ScriptDigitCase cases[] = {
        {u"１２３４５６７", std::nullopt},
        {u"１２３４５６７８", eight},
        {u"+١٢٣.٤٥٦٧٨", eight},
        {u"1234 ۵۶۷۸", eight},
        {boldZero + boldZero + boldZero + boldZero, std::nullopt},
        {boldZero + u"1234567", eight},
        {u"1234567²", std::nullopt},  // a superscript is no decimal digit
    };
    for (const ScriptDigitCase& c : cases) {
        CAxRecordset header;
        OpenFile(header, u"AIP32");
        header.AddNew();
        Text value = c.value;
        std::optional<Text> raised;
        try {
            header.SetField(u"DTIN32", value);
        } catch (const CAxException& error) {
            raised = error.description;
        }
        EXPECT_EQ(raised, c.raised) << kfx::ToUtf8(c.value);
    }
}

TEST_F(Recordsets, NumericFieldsAreNotDigitTested) {
    plan_.Add({"Field.Type(NOPK32)", 0, 0, {}, 131});
    CAxRecordset header;
    OpenFile(header, u"AIP32");
    header.AddNew();
    Text tooLong = u"1234567";
    // The provider itself refuses it, not the digit test.
    CAxException error = RaisedBy([&] { header.SetField(u"NOPK32", tooLong); });
    EXPECT_EQ(error.code, 5008);
    EXPECT_EQ(error.description, u"Failed to set Field 'NOPK32' to value '1234567' (Error Code: 0x80040e21)");
}

TEST_F(Recordsets, AFieldTheFileLacksIsIgnored) {
    CAxRecordset lines;
    OpenFile(lines, u"AIP33");
    lines.AddNew();
    Text value = u"kept";
    EXPECT_TRUE(lines.SetField(u"CDAC32", value));
    EXPECT_TRUE(lines.SetField(u"", value));
    EXPECT_EQ(value, u"kept");
    EXPECT_EQ(CallsOf("Field.SetValue(CDAC32)"), 0);
}

TEST_F(Recordsets, AReadOnlyFieldIsNotWrittenAndLendsItsValueToTheCaller) {
    CAxRecordset header;
    OpenFile(header, u"AIP32");
    header.AddNew();
    Text first = u"Łódź";
    header.SetField(u"INAM32", first);
    // From now on the field is read-only and the row is the current record.
    plan_.Add({"Field.Attributes(INAM32)", 0, 0, {}, 0});
    plan_.Add({"Recordset.BOF", 0, 0, {}, 0});
    // The value read back is the field's as it is, never sanitised, though
    // code page 1252 would make it "Lódz".
    header.codePage = 1252;
    Text second = u"SECOND";
    EXPECT_TRUE(header.SetField(u"INAM32", second));
    EXPECT_EQ(second, u"Łódź");
    EXPECT_EQ(CallsOf("Field.SetValue(INAM32)"), 1);
}

TEST_F(Recordsets, AReadOnlyFieldOnAnEmptySelectionCountsAsNull) {
    plan_.Add({"Field.Attributes(INVN32)", 0, 0, {}, 0});
    plan_.Add({"Recordset.BOF", 0, 0, {}, 1});
    plan_.Add({"Recordset.EndOfFile", 0, 0, {}, 1});
    CAxRecordset header;
    OpenFile(header, u"AIP32");
    Text value = u"MINE";
    EXPECT_TRUE(header.SetField(u"INVN32", value));
    EXPECT_EQ(value, u"MINE");
    EXPECT_EQ(CallsOf("Field.Value(INVN32)"), 0);
}

TEST_F(Recordsets, AssignmentFailuresQuoteTheCallersTextBeforeSanitising) {
    plan_.Add({"Field.SetValue(INVN32)", 1, static_cast<HRESULT>(0x80040E21)});
    CAxRecordset header;
    header.codePage = 1252;
    OpenFile(header, u"AIP32");
    header.codePage = 1252;
    header.AddNew();
    Text value = u"Łódź";
    CAxException error = RaisedBy([&] { header.SetField(u"INVN32", value); });
    EXPECT_EQ(error.code, 5008);
    EXPECT_EQ(error.description, u"Failed to set Field 'INVN32' to value 'Łódź' (Error Code: 0x80040e21)");

    plan_.Add({"Field.Attributes(CURN32)", 1, kfx::HR_E_FAIL});
    Text currency = u"EUR";
    EXPECT_EQ(RaisedBy([&] { header.SetField(u"CURN32", currency); }).description,
              u"Failed to set Field 'CURN32' to value 'EUR' (Error Code: 0x80004005)");
}

TEST_F(Recordsets, SanitisesOnlyTheCopyThatIsWritten) {
    CAxRecordset header;
    header.codePage = 1252;
    OpenFile(header, u"AIP32");
    header.AddNew();
    Text value = u"Łódź";
    EXPECT_TRUE(header.SetField(u"INAM32", value));
    EXPECT_EQ(value, u"Łódź");
    header.Update();
    header.Dispose();
    EXPECT_EQ(Rows("AIP32", {"INAM32"}), (std::vector<std::vector<std::string>>{{"Lódz"}}));
}

TEST_F(Recordsets, AnUnusableCodePageIsRefusedNotWrittenEmpty) {
    CAxRecordset header;
    OpenFile(header, u"AIP32");
    header.codePage = 99999;
    header.AddNew();
    Text value = u"INV1";
    CAxException error = RaisedBy([&] { header.SetField(u"INVN32", value); });
    EXPECT_EQ(error.code, 5008);
    EXPECT_NE(error.description.find(u"99999"), Text::npos) << kfx::ToUtf8(error.description);
}

struct PropertyCase {
    const char* call;
    Text description;
};

TEST_F(Recordsets, PropertyFailuresNameTheirOperation) {
    // Before the recordset is open it has no connection whose records could
    // be folded in; after, it has.
    const PropertyCase cases[] = {
        {"Recordset.SetCursorType", u"CAxRecordset::CursorType" + testsupport::ComErrorLine(kfx::HR_E_FAIL)},
        {"Recordset.CursorType", u"CAxRecordset::CursorType" + testsupport::ComErrorLine(kfx::HR_E_FAIL)},
        {"Recordset.SetCacheSize", u"CAxRecordset::CacheSize" + testsupport::ComErrorLine(kfx::HR_E_FAIL)},
        {"Recordset.CacheSize", u"CAxRecordset::CacheSize" + testsupport::ComErrorLine(kfx::HR_E_FAIL)},
        {"Recordset.SetCursorLocation", u"CAxRecordset::CursorLocation\nrefused" + testsupport::ComErrorLine(kfx::HR_E_FAIL)},
        {"Recordset.SetMarshalOptions", u"CAxRecordset::MarshalOptions\nrefused" + testsupport::ComErrorLine(kfx::HR_E_FAIL)},
        {"Recordset.MarshalOptions", u"CAxRecordset::MarshalOptions\nrefused" + testsupport::ComErrorLine(kfx::HR_E_FAIL)},
    };
    for (const PropertyCase& c : cases) {
        plan_.Reset();
        plan_.Add({c.call, 1, kfx::HR_E_FAIL, {Record(5, u"refused")}});
        CAxRecordset header;
        EXPECT_EQ(RaisedBy([&] { OpenFile(header, u"AIP32"); }).description, c.description) << c.call;
    }
}

TEST_F(Recordsets, AFailedCreateMakesTheNextStepFail) {
    plan_.Add({"Environment.CreateRecordset", 1, kfx::HR_E_OUTOFMEMORY});
    CAxRecordset header;
    EXPECT_EQ(header.Create(), kfx::HR_E_OUTOFMEMORY);
    EXPECT_EQ(RaisedBy([&] { header.CursorType(0); }).description,
              u"CAxRecordset::CursorType" + testsupport::ComErrorLine(kfx::HR_E_POINTER));
}

TEST_F(Recordsets, OpenCreatesTheRecordsetWhenNeededAndRaisesInitialisationFailure) {
    plan_.Add({"Environment.CreateRecordset", 0, kfx::HR_E_OUTOFMEMORY});
    CAxRecordset header;
    CAxException error = RaisedBy([&] { header.Open(u"SELECT * FROM APLIB.AIP32 WHERE 1=0", &connection_); });
    EXPECT_EQ(error.code, 5001);
    EXPECT_EQ(error.description,
              u"The dbAx Library failed to initialize" + testsupport::ComErrorLine(kfx::HR_E_OUTOFMEMORY) +
                  u"\nSource: CAxRecordset::Open");
}

TEST_F(Recordsets, AFailedOpenReleasesTheRecordsetAndTheNextOpenStartsAfresh) {
    CAxRecordset header;
    ASSERT_TRUE(kfx::Succeeded(header.Create()));
    CAxException error = RaisedBy([&] { header.Open(u"SELECT * FROM APLIB.NOSUCH WHERE 1=0", &connection_); });
    EXPECT_TRUE(error.description.starts_with(u"CAxRecordset::Open\n")) << kfx::ToUtf8(error.description);
    EXPECT_NE(error.description.find(u"NOSUCH"), Text::npos) << kfx::ToUtf8(error.description);
    header.Open(u"SELECT * FROM APLIB.AIP32 WHERE 1=0", nullptr);  // the connection given before stays
    EXPECT_EQ(CallsOf("Environment.CreateRecordset"), 2);
}

TEST_F(Recordsets, OpenStepFailuresAllNameOpen) {
    for (const char* call : {"Recordset.SetSource", "Recordset.SetActiveConnection", "Recordset.Open",
                             "Recordset.GetFields"}) {
        plan_.Reset();
        plan_.Add({call, 1, kfx::HR_E_FAIL});
        CAxRecordset header;
        EXPECT_EQ(RaisedBy([&] { OpenFile(header, u"AIP32"); }).description,
                  u"CAxRecordset::Open" + testsupport::ComErrorLine(kfx::HR_E_FAIL))
            << call;
    }
}

TEST_F(Recordsets, UpdateResyncsTwiceBeforeGivingUp) {
    // The embedded database has no resync; the plan plays one that first
    // refuses the underlying values and then takes all values.
    plan_.Add({"Recordset.Supports(Resync)", 0, 0, {}, 1});
    plan_.Add({"Recordset.Resync", 1, kfx::HR_E_FAIL});
    plan_.Add({"Recordset.Resync", 2, kfx::HR_S_OK});
    WriteHeader(u"INVN32", u"RESYNC1");
    EXPECT_EQ(RowCount("AIP32"), 1u);

    plan_.Reset();
    plan_.Add({"Recordset.Supports(Resync)", 0, 0, {}, 1});
    plan_.Add({"Recordset.Resync", 0, kfx::HR_E_FAIL});
    CAxException error = RaisedBy([&] { WriteHeader(u"INVN32", u"RESYNC2"); });
    EXPECT_EQ(error.description, u"CAxRecordset::Update" + testsupport::ComErrorLine(kfx::HR_E_FAIL));
    EXPECT_EQ(RowCount("AIP32"), 1u);
}

TEST_F(Recordsets, AnUnsupportedAddOrUpdateDoesNothing) {
    plan_.Add({"Recordset.Supports(Update)", 0, 0, {}, 0});
    WriteHeader(u"INVN32", u"NOUPD");
    EXPECT_EQ(CallsOf("Recordset.Update"), 0);
    plan_.Reset();
    plan_.Add({"Recordset.Supports(AddNew)", 0, 0, {}, 0});
    CAxRecordset header;
    OpenFile(header, u"AIP32");
    header.AddNew();
    EXPECT_EQ(CallsOf("Recordset.AddNew"), 0);
    header.Dispose();
    EXPECT_EQ(RowCount("AIP32"), 0u);
}

struct RaiseCase {
    const char* call;
    const char16_t* description;
};

TEST_F(Recordsets, AddUpdateAndCancelFailuresNameTheirSource) {
    const RaiseCase cases[] = {
        {"Recordset.Supports(AddNew)", u"CAxRecordset::Supports"},
        {"Recordset.AddNew", u"CAxRecordset::Properties"},
        {"Recordset.Supports(Resync)", u"CAxRecordset::Supports"},
        {"Recordset.Supports(Update)", u"CAxRecordset::Supports"},
        {"Recordset.Update", u"CAxRecordset::Update"},
    };
    for (const RaiseCase& c : cases) {
        plan_.Reset();
        plan_.Add({c.call, 1, kfx::HR_E_FAIL, {Record(-1, u"said the database")}});
        CAxException error = RaisedBy([&] { WriteHeader(u"INVN32", u"X"); });
        EXPECT_EQ(error.description, Text(c.description) + u"\nsaid the database" + testsupport::ComErrorLine(kfx::HR_E_FAIL))
            << c.call;
    }
    EXPECT_EQ(RowCount("AIP32"), 0u);

    for (const char* call : {"Recordset.EditMode", "Recordset.CancelUpdate"}) {
        plan_.Reset();
        plan_.Add({call, 1, kfx::HR_E_FAIL});
        CAxRecordset header;
        OpenFile(header, u"AIP32");
        header.AddNew();
        EXPECT_EQ(RaisedBy([&] { header.CancelUpdate(); }).description,
                  u"CAxRecordset::CancelUpdate" + testsupport::ComErrorLine(kfx::HR_E_FAIL))
            << call;
    }
}

TEST_F(Recordsets, CancelDropsThePendingRowAndOnlyWhileEditing) {
    CAxRecordset header;
    OpenFile(header, u"AIP32");
    header.CancelUpdate();  // nothing pending: no cancel reaches the platform
    EXPECT_EQ(CallsOf("Recordset.CancelUpdate"), 0);
    header.AddNew();
    Text value = u"DROPPED";
    header.SetField(u"INVN32", value);
    header.CancelUpdate();
    EXPECT_EQ(CallsOf("Recordset.CancelUpdate"), 1);
    header.Update();
    header.Dispose();
    EXPECT_EQ(RowCount("AIP32"), 0u);
}

TEST_F(Recordsets, ClosingWithAPendingRowDropsIt) {
    {
        CAxRecordset header;
        OpenFile(header, u"AIP32");
        header.AddNew();
        Text value = u"PENDING";
        header.SetField(u"INVN32", value);
    }
    EXPECT_EQ(RowCount("AIP32"), 0u);
}

TEST_F(Recordsets, AFailedCloseRaisesTheCloseCode) {
    CAxRecordset header;
    OpenFile(header, u"AIP32");
    plan_.Add({"Recordset.Close", 1, static_cast<HRESULT>(0x80040E21)});
    CAxException error = RaisedBy([&] { header.Close(); });
    EXPECT_EQ(error.code, 5009);
    EXPECT_EQ(error.description,
              u"The dbAx Library failed to close\nCOM Error: IDispatch error #3105\nSource: CAxRecordset::Close");
}

TEST_F(Recordsets, AFailedStateReadRaisesAPlatformErrorWithoutSource) {
    CAxRecordset header;
    OpenFile(header, u"AIP32");
    plan_.Add({"Recordset.State", 1, kfx::HR_E_FAIL, {Record(3, u"lost")}});
    CAxException error = RaisedBy([&] { header.Dispose(); });
    EXPECT_EQ(error.code, 3);
    EXPECT_EQ(error.description, u"\nlost");
    header.Dispose();  // already released: nothing left to do
    EXPECT_EQ(CallsOf("Recordset.Close"), 0);
}

TEST_F(Recordsets, CloseOfAClosedRecordsetDoesNothing) {
    CAxRecordset header;
    header.Close();
    OpenFile(header, u"AIP32");
    header.Close();
    header.Close();
    EXPECT_EQ(CallsOf("Recordset.Close"), 1);
    EXPECT_EQ(CallsOf("Recordset.MoveFirst"), 1);
}

TEST_F(Recordsets, DestructionHandsACloseFailureOnWithoutThrowing) {
    std::vector<Text> seen;
    DestructionFailureHandler previous =
        SetDestructionFailureHandler([&](const CAxException& error) { seen.push_back(error.description); });
    {
        CAxRecordset header;
        OpenFile(header, u"AIP32");
        plan_.Add({"Recordset.Close", 1, kfx::HR_E_FAIL});
    }
    SetDestructionFailureHandler(previous);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], u"The dbAx Library failed to close" + testsupport::ComErrorLine(kfx::HR_E_FAIL) + u"\nSource: CAxRecordset::Close");
}

}  // namespace
}  // namespace dbAx
