// The strict conversion of assigned texts, through the whole provider: each
// case assigns one column of a new row, which is refused at once or stored
// by the update.
#include <sqlite3.h>

#include <gtest/gtest.h>

#include "data_access/provider/embedded_database.h"
#include "data_access/provider/utf8_path.h"
#include "provider_test_support.h"

namespace dbAx::provider::testing {
namespace {

struct Conversion {
    const char* column;
    std::string text;
    platform::Result result;
    const char* outcome;  // what reads back, or the error record
};

class ValueConversionTest : public EmbeddedProviderTest, public ::testing::WithParamInterface<Conversion> {
protected:
    void SetUp() override {
        EmbeddedProviderTest::SetUp();
        CreateEmbeddedLibrary(directory_.Path(), "CONV",
                              {"CREATE TABLE CONV.T (C CHAR(7) NOT NULL DEFAULT ' ', W NCHAR(3) NOT NULL DEFAULT ' ', "
                               "D DECIMAL(11,3) NOT NULL DEFAULT 0, I DECIMAL(7,0) NOT NULL DEFAULT 0, "
                               "N NUMERIC(5,2) NOT NULL DEFAULT 0)"});
    }
};

TEST_P(ValueConversionTest, StoresOrRefusesTheText) {
    const Conversion& conversion = GetParam();
    auto connection = Connect();
    auto recordset = OpenRecordset(*connection, "SELECT * FROM CONV.T WHERE 1=0");
    ASSERT_EQ(recordset->AddNew(), kfx::HR_S_OK);
    platform::Field& field = FieldOf(*recordset, conversion.column);
    const platform::Result assigned = field.SetValue(Utf16(conversion.text));

    if (kfx::Succeeded(conversion.result)) {
        ASSERT_EQ(assigned, kfx::HR_S_OK);
        ASSERT_EQ(recordset->Update(), kfx::HR_S_OK);
        const EmbeddedRows rows = ReadEmbeddedRows(directory_.Path(), "CONV", "T");
        ASSERT_EQ(rows.rows.size(), 1u);
        const auto column = std::find(rows.columns.begin(), rows.columns.end(), conversion.column);
        EXPECT_EQ(rows.rows[0][static_cast<std::size_t>(column - rows.columns.begin())], conversion.outcome);
        EXPECT_TRUE(ErrorTexts(*connection).empty());
        return;
    }
    // Refused when assigned, as a multiple-step failure whose record tells why;
    // the field keeps nothing of it.
    EXPECT_EQ(assigned, platform::DB_E_ERRORSOCCURRED);
    EXPECT_EQ(ErrorTexts(*connection), std::vector<std::string>{conversion.outcome});
    platform::Errors* errors = nullptr;
    platform::ErrorRecord record;
    ASSERT_EQ(connection->GetErrors(&errors), kfx::HR_S_OK);
    ASSERT_EQ(errors->Item(0, &record), kfx::HR_S_OK);
    EXPECT_EQ(record.number, conversion.result);
    std::optional<Text> value;
    ASSERT_EQ(field.Value(&value), kfx::HR_S_OK);
    EXPECT_EQ(value, std::nullopt);
    EXPECT_TRUE(ReadEmbeddedRows(directory_.Path(), "CONV", "T").rows.empty());
}

constexpr platform::Result kStored = kfx::HR_S_OK;
constexpr platform::Result kTooLong = platform::DB_E_DATAOVERFLOW;
constexpr platform::Result kNotANumber = platform::DB_E_CANTCONVERTVALUE;

INSTANTIATE_TEST_SUITE_P(
    Characters, ValueConversionTest,
    ::testing::Values(Conversion{"C", "ABCDEFG", kStored, "ABCDEFG"}, Conversion{"C", "AB", kStored, "AB"},
                      Conversion{"C", "  AB ", kStored, "  AB "}, Conversion{"C", "", kStored, ""},
                      Conversion{"C", "ABCDEFG    ", kStored, "ABCDEFG"},
                      Conversion{"C", "ÄÖÜßéèà ", kStored, "ÄÖÜßéèà"},
                      Conversion{"W", "€€€", kStored, "€€€"},
                      Conversion{"C", "ABCDEFGH", kTooLong,
                                 "Value 'ABCDEFGH' is too long for column T.C CHAR(7)"},
                      Conversion{"C", "ABCDEFG  X", kTooLong,
                                 "Value 'ABCDEFG  X' is too long for column T.C CHAR(7)"},
                      Conversion{"W", "€€€€", kTooLong, "Value '€€€€' is too long for column T.W NCHAR(3)"},
                      // Stored, it would arrive cut at the NUL, or not at all.
                      Conversion{"C", std::string("A\0B", 3), kNotANumber,
                                 "The value for column T.C CHAR(7) contains the character U+0000 (NUL), which no "
                                 "column of the interface files holds"},
                      Conversion{"D", std::string("1\0", 2), kNotANumber,
                                 "The value for column T.D DECIMAL(11,3) contains the character U+0000 (NUL), which "
                                 "no column of the interface files holds"}));

INSTANTIATE_TEST_SUITE_P(
    Numbers, ValueConversionTest,
    ::testing::Values(
        Conversion{"D", "123.45", kStored, "123.450"}, Conversion{"D", "  123.45  ", kStored, "123.450"},
        Conversion{"D", "+7", kStored, "7.000"}, Conversion{"D", "-1.2345", kStored, "-1.234"},
        Conversion{"D", "1.9999", kStored, "1.999"}, Conversion{"D", "-0.0004", kStored, "0.000"},
        Conversion{"D", ".5", kStored, "0.500"}, Conversion{"D", "5.", kStored, "5.000"},
        Conversion{"D", "00012345678.9", kStored, "12345678.900"},
        Conversion{"D", "-99999999.999", kStored, "-99999999.999"},
        Conversion{"I", "1234567", kStored, "1234567"},
        Conversion{"I", "-1234567", kStored, "-1234567"}, Conversion{"I", "19.99", kStored, "19"},
        Conversion{"N", "123.456", kStored, "123.45"},
        Conversion{"D", "12x", kNotANumber, "Value '12x' is not a number for column T.D DECIMAL(11,3)"},
        Conversion{"D", "", kNotANumber, "Value '' is not a number for column T.D DECIMAL(11,3)"},
        Conversion{"D", "   ", kNotANumber, "Value '   ' is not a number for column T.D DECIMAL(11,3)"},
        Conversion{"D", "1.2.3", kNotANumber, "Value '1.2.3' is not a number for column T.D DECIMAL(11,3)"},
        Conversion{"D", "1e3", kNotANumber, "Value '1e3' is not a number for column T.D DECIMAL(11,3)"},
        Conversion{"D", "1,5", kNotANumber, "Value '1,5' is not a number for column T.D DECIMAL(11,3)"},
        Conversion{"D", "- 5", kNotANumber, "Value '- 5' is not a number for column T.D DECIMAL(11,3)"},
        Conversion{"D", "-", kNotANumber, "Value '-' is not a number for column T.D DECIMAL(11,3)"},
        Conversion{"D", ".", kNotANumber, "Value '.' is not a number for column T.D DECIMAL(11,3)"},
        Conversion{"N", "1 2", kNotANumber, "Value '1 2' is not a number for column T.N NUMERIC(5,2)"},
        Conversion{"I", "123456789", kTooLong,
                   "Value '123456789' has too many integer digits for column T.I DECIMAL(7,0)"},
        Conversion{"D", "123456789.1", kTooLong,
                   "Value '123456789.1' has too many integer digits for column T.D DECIMAL(11,3)"},
        Conversion{"N", "-1234.5", kTooLong,
                   "Value '-1234.5' has too many integer digits for column T.N NUMERIC(5,2)"}));

// A plain query of the file shows the stored number itself.
TEST_F(EmbeddedProviderTest, StoresDecimalsAsNumbersAPlainQueryShows) {
    auto connection = Connect();
    auto recordset = OpenRecordset(*connection, "SELECT * FROM TESTLIB.AIP32 WHERE 1=0");
    ASSERT_EQ(recordset->AddNew(), kfx::HR_S_OK);
    ASSERT_EQ(FieldOf(*recordset, "IWGH32").SetValue(u" 123.4500 "), kfx::HR_S_OK);
    ASSERT_EQ(recordset->Update(), kfx::HR_S_OK);

    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open_v2(Utf8FromPath(directory_.Path() / "TESTLIB.db").c_str(), &database,
                              SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    sqlite3_stmt* select = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(database, "SELECT IWGH32, typeof(IWGH32) FROM AIP32", -1, &select, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(select), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(select, 0)), "123.45");
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(select, 1)), "real");
    sqlite3_finalize(select);
    sqlite3_close(database);
}

}  // namespace
}  // namespace dbAx::provider::testing
