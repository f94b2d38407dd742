// The release path through the ODBC provider against a real server
// (PostgreSQL or MariaDB): what reaches the tables, and what the host is told when a value
// or the server refuses.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/utf8.h"
#include "tests/data_access/odbc/admin_connection.h"
#include "tests/data_access/odbc/own_data_source.h"
#include "tests/data_access/odbc/server_release_fixture.h"

namespace odbctest {
namespace {

using Table = std::vector<std::vector<std::string>>;
using ::testing::HasSubstr;
using ::testing::StartsWith;

class OdbcRelease : public ServerReleaseFixture {
protected:
    // The one error the document reported.
    std::string OneError() {
        EXPECT_EQ(Log().size(), 1u) << ::testing::PrintToString(LogTexts());
        EXPECT_EQ(Messages().size(), Log().size());
        return Log().empty() ? std::string() : LogTexts()[0];
    }
};

TEST_F(OdbcRelease, WritesEachLineWithTheHeaderKeysAndThenTheHeader) {
    AddTypicalInvoiceHere();
    EXPECT_EQ(Release(), kfx::KFX_REL_SUCCESS);
    EXPECT_EQ(schema_->Rows("AIP32", {"RTYP32", "CDAC32", "INVN32", "DTIN32", "CURN32", "INAM32"}),
              (Table{{"3", "01SUPP0001001", "INV0001", "1240131", "EUR", ""}}));
    EXPECT_EQ(schema_->Rows("AIP33", {"CDAC33", "INVN33", "RTYP33", "DESC33", "LQTY33", "UPRC33"}),
              (Table{{"01SUPP0001001", "INV0001", "3", "Copier paper A4", "10.000", "4.25000"},
                     {"01SUPP0001001", "INV0001", "3", "Toner cartridge", "2.000", "59.90000"},
                     {"01SUPP0001001", "INV0001", "3", "Delivery", "1.000", "12.50000"}}));
    EXPECT_EQ(LogTexts(), std::vector<std::string>{"Document Released Successfully invoice.pdf"});
    EXPECT_TRUE(Messages().empty());
}

// Counted on the server: the documents of a batch are served by one
// server session, the pooled one.
TEST_F(OdbcRelease, ABatchOfDocumentsGoesThroughOneServerSession) {
    AdminConnection admin(server_);
    const std::string sessions = ByServer(
        "SELECT pid FROM pg_stat_activity WHERE usename = current_user AND datname = current_database() AND "
        "pid <> pg_backend_pid()",
        "SELECT id FROM information_schema.processlist WHERE user = SUBSTRING_INDEX(CURRENT_USER(), '@', 1) AND "
        "id <> CONNECTION_ID()");
    ASSERT_EQ(ReleaseInvoice(u"INV0001"), kfx::KFX_REL_SUCCESS);
    const Table first = admin.Query(sessions);
    EXPECT_EQ(first.size(), 1u) << "one session, pooled";
    for (const char16_t* number : {u"INV0002", u"INV0003", u"INV0004", u"INV0005"}) {
        ASSERT_EQ(ReleaseInvoice(number), kfx::KFX_REL_SUCCESS) << ::testing::PrintToString(LogTexts());
    }
    EXPECT_EQ(admin.Query(sessions), first);
    EXPECT_EQ(schema_->RowCount("AIP32"), 5u);
    EXPECT_EQ(schema_->RowCount("AIP33"), 15u);
}

// A table changed beneath the pooled session: the line file's remembered
// description (each document describes the header file anew first) refuses
// a code that now fits, which costs that document and makes the session
// forget; the next document is described anew.
TEST_F(OdbcRelease, ATableWidenedBetweenDocumentsCostsOneDocumentAtMost) {
    ASSERT_EQ(ReleaseInvoice(u"INV0001"), kfx::KFX_REL_SUCCESS);
    schema_->Execute(ByServer("ALTER TABLE %s.aip33 ALTER COLUMN ccat33 TYPE CHAR(30)",
                              "ALTER TABLE %s.AIP33 MODIFY CCAT33 CHAR(30) NOT NULL DEFAULT ' '"));
    const auto longCodes = [this] {
        AddTable(u"AIP33.CCAT33", u"Lines",
                 {u"CATALOGUE-CODE-0000000000001", u"CATALOGUE-CODE-0000000000002", u"CATALOGUE-CODE-0000000000003"});
    };
    EXPECT_EQ(ReleaseInvoice(u"INV0002", longCodes), kfx::KFX_REL_ERROR);
    EXPECT_THAT(LogTexts().at(0), StartsWith("Error Updating AIP33 record 1 of 3: Failed to set Field 'CCAT33'")) << ::testing::PrintToString(LogTexts());
    EXPECT_EQ(ReleaseInvoice(u"INV0003", longCodes), kfx::KFX_REL_SUCCESS) << ::testing::PrintToString(LogTexts());
    EXPECT_EQ(schema_->Rows("AIP32", {"INVN32"}), (Table{{"INV0001"}, {"INV0003"}}));
    EXPECT_EQ(schema_->Rows("AIP33", {"INVN33", "CCAT33"}),
              (Table{{"INV0001", ""}, {"INV0001", ""}, {"INV0001", ""},
                     {"INV0003", "CATALOGUE-CODE-0000000000001"}, {"INV0003", "CATALOGUE-CODE-0000000000002"},
                     {"INV0003", "CATALOGUE-CODE-0000000000003"}}));
}

TEST_F(OdbcRelease, TextsOutsideLatin1ArriveIntact) {
    AddTypicalInvoiceHere();
    Add(u"AIP32.INAM32", u"Zakład Łódź Ærø 請求書");
    EXPECT_EQ(Release(), kfx::KFX_REL_SUCCESS);
    EXPECT_EQ(schema_->Rows("AIP32", {"INAM32"}), (Table{{"Zakład Łódź Ærø 請求書"}}));
}

struct RefusedValue {
    const char* name;
    const char16_t* destination;
    std::vector<kfx::Text> values;  // one: a header or common value; more: the rows of the table
    const char* reported;           // the whole message
    std::size_t headers;            // what stays written
    std::size_t lines;
};

// What the column cannot take is refused when assigned, before the server
// sees it (the server would take "NaN" and "1e5" into a DECIMAL): a header
// value stops the document with nothing written, a line value fails its line.
class OdbcRefusedValue : public OdbcRelease, public ::testing::WithParamInterface<RefusedValue> {
protected:
    // Releases the typical invoice with the case's value, which must fail
    // the document as the case says.
    void ExpectRefused() {
        const RefusedValue& c = GetParam();
        AddTypicalInvoiceHere();
        Remove(c.destination);
        if (c.values.size() == 1) {
            Add(c.destination, c.values[0]);
        } else {
            AddTable(c.destination, u"Lines", c.values);
        }
        EXPECT_EQ(Release(), kfx::KFX_REL_ERROR);
        EXPECT_EQ(OneError(), c.reported);
        EXPECT_EQ(schema_->RowCount("AIP32"), c.headers);
        EXPECT_EQ(schema_->RowCount("AIP33"), c.lines);
    }
};

TEST_P(OdbcRefusedValue, IsRefusedWhenAssigned) { ExpectRefused(); }

INSTANTIATE_TEST_SUITE_P(
    Values, OdbcRefusedValue,
    ::testing::Values(
        RefusedValue{"TooLongForItsCharColumn", u"AIP32.INVN32", {u"TOOLONG12"},
                     "Error in readVariables: Failed to set Field 'INVN32' to value 'TOOLONG12' (Error Code: "
                     "0x80040e21)",
                     0, 0},
        RefusedValue{"NotANumberInTheHeader", u"AIP32.IWGH32", {u"NaN"},
                     "Error in readVariables: Failed to set Field 'IWGH32' to value 'NaN' (Error Code: 0x80040e21)",
                     0, 0},
        RefusedValue{"TooLargeForItsDecimalColumn", u"AIP33.LQTY33", {u"10", u"123456789", u"1"},
                     "Error Updating AIP33 record 2 of 3: Failed to set Field 'LQTY33' to value '123456789' (Error "
                     "Code: 0x80040e21)",
                     0, 2},
        RefusedValue{"NotANumber", u"AIP33.LQTY33", {u"10", u"two", u"1"},
                     "Error Updating AIP33 record 2 of 3: Failed to set Field 'LQTY33' to value 'two' (Error Code: "
                     "0x80040e21)",
                     0, 2},
        RefusedValue{"AnExponent", u"AIP33.LQTY33", {u"10", u"1e5", u"1"},
                     "Error Updating AIP33 record 2 of 3: Failed to set Field 'LQTY33' to value '1e5' (Error Code: "
                     "0x80040e21)",
                     0, 2},
        RefusedValue{"NotANumberInALine", u"AIP33.LQTY33", {u"10", u"NaN", u"1"},
                     "Error Updating AIP33 record 2 of 3: Failed to set Field 'LQTY33' to value 'NaN' (Error Code: "
                     "0x80040e21)",
                     0, 2}),
    [](const ::testing::TestParamInfo<RefusedValue>& info) { return std::string(info.param.name); });

// What only the server judges is still refused when the row is written, in its own words.
TEST_F(OdbcRelease, AHeaderTheServerRefusesKeepsTheLinesWritten) {
    schema_->Execute("ALTER TABLE %s.AIP32 ADD CONSTRAINT no_such_invoice CHECK (INVN32 <> 'INV0001')");
    AddTypicalInvoiceHere();
    EXPECT_EQ(Release(), kfx::KFX_REL_ERROR);
    const std::string error = OneError();
    EXPECT_THAT(error, StartsWith("Error Updating AIP32: CAxRecordset::Update\n[SQLSTATE " +
                                  ByServer("23514]", "23000]")));
    EXPECT_THAT(error, HasSubstr("no_such_invoice"));
    EXPECT_EQ(schema_->RowCount("AIP32"), 0u);
    EXPECT_EQ(schema_->RowCount("AIP33"), 3u);
}

// A database stores no NUL in a text, or cuts the text there: such a value is
// refused when it is assigned, like any value its column cannot take.
class OdbcRefusedNul : public OdbcRefusedValue {};

TEST_P(OdbcRefusedNul, IsRefusedWhenAssigned) { ExpectRefused(); }

INSTANTIATE_TEST_SUITE_P(
    Values, OdbcRefusedNul,
    ::testing::Values(RefusedValue{"InAHeaderText", u"AIP32.INAM32", {kfx::Text(u"Zak\0ad", 6)},
                                   "Error in readVariables: Failed to set Field 'INAM32' to value 'Zak' (Error Code: "
                                   "0x80040e21)",
                                   0, 0},
                      RefusedValue{"InALineText", u"AIP33.DESC33", {u"Paper", kfx::Text(u"Ton\0er", 6), u"Delivery"},
                                   "Error Updating AIP33 record 2 of 3: Failed to set Field 'DESC33' to value 'Ton' "
                                   "(Error Code: 0x80040e21)",
                                   0, 2}),
    [](const ::testing::TestParamInfo<RefusedValue>& info) { return std::string(info.param.name); });

// Where the data source commits a document's rows together, the same refusal
// takes the lines with it, and the next invoice is written whole.
TEST_F(OdbcRelease, WithDocumentCommitsAHeaderTheServerRefusesTakesItsLinesWithIt) {
    OwnDataSource own(server_.dataSource, "document-commit", "VeldmarkCommit = Document");
    document_.connectString = kfx::FromUtf8(own.Name());
    schema_->Execute("ALTER TABLE %s.AIP32 ADD CONSTRAINT no_such_invoice CHECK (INVN32 <> 'INV0001')");
    EXPECT_EQ(ReleaseInvoice(u"INV0001"), kfx::KFX_REL_ERROR);
    EXPECT_THAT(OneError(), StartsWith("Error Updating AIP32: CAxRecordset::Update\n[SQLSTATE " +
                                       ByServer("23514]", "23000]")));
    EXPECT_EQ(schema_->RowCount("AIP32"), 0u);
    EXPECT_EQ(schema_->RowCount("AIP33"), 0u);
    EXPECT_EQ(ReleaseInvoice(u"INV0002"), kfx::KFX_REL_SUCCESS);
    EXPECT_EQ(schema_->RowCount("AIP32"), 1u);
    EXPECT_EQ(schema_->RowCount("AIP33"), 3u);
}

TEST_F(OdbcRelease, AWrongPasswordIsReportedAndNothingIsWritten) {
    AddTypicalInvoiceHere();
    document_.password = u"not-the-password";
    EXPECT_EQ(Release(), kfx::KFX_REL_ERROR);
    const std::string error = OneError();
    EXPECT_THAT(error, StartsWith("Error in ReleaseDoc: CAxConnection::Open\n[SQLSTATE "));
    EXPECT_THAT(error, HasSubstr(ByServer("password authentication failed for user \"" + server_.user + "\"",
                                          "Access denied for user '" + server_.user + "'@")));
    EXPECT_EQ(schema_->RowCount("AIP32") + schema_->RowCount("AIP33"), 0u);
}

TEST_F(OdbcRelease, AnUnknownDataSourceIsReported) {
    AddTypicalInvoiceHere();
    Add(u"serverName", u"NO_SUCH_DSN");
    EXPECT_EQ(Release(), kfx::KFX_REL_ERROR);
    EXPECT_THAT(OneError(), StartsWith("Error in ReleaseDoc: CAxConnection::Open\n[SQLSTATE IM002] (native 0) "
                                       "[unixODBC][Driver Manager]Data source name not found"));
}

TEST_F(OdbcRelease, AMissingLibraryIsReported) {
    AddTypicalInvoiceHere();
    Remove(u"APILibrary");
    Add(u"APILibrary", u"NOSUCHLIB");
    EXPECT_EQ(Release(), kfx::KFX_REL_ERROR);
    const std::string error = OneError();
    EXPECT_THAT(error, StartsWith("Error in ReleaseDoc: CAxRecordset::Open\n[SQLSTATE " +
                                  ByServer("42P01]", "42S02]")));
    EXPECT_THAT(error, HasSubstr(ByServer("relation \"nosuchlib.aip32\" does not exist",
                                          "Table 'NOSUCHLIB.AIP32' doesn't exist")));
}

TEST_F(OdbcRelease, ALibraryWithoutTheLineFileWritesNothing) {
    schema_->Execute("DROP TABLE %s.AIP33");
    AddTypicalInvoiceHere();
    EXPECT_EQ(Release(), kfx::KFX_REL_ERROR);
    const std::string error = OneError();
    EXPECT_THAT(error, StartsWith("Error Creating AIP33 Record: CAxRecordset::Open\n[SQLSTATE " +
                                  ByServer("42P01]", "42S02]")));
    EXPECT_THAT(error, HasSubstr(ByServer("aip33\" does not exist", "AIP33' doesn't exist")));
    EXPECT_EQ(schema_->RowCount("AIP32"), 0u);
}

}  // namespace
}  // namespace odbctest
