// The ODBC backend on its own against the test server: what it tells about a
// selection's columns, what it refuses, and how its inserts land.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <unistd.h>

#include "data_access/provider/odbc_backend.h"
#include "model/interface_files.h"
#include "tests/data_access/odbc/own_data_source.h"
#include "tests/data_access/odbc/scoped_variable.h"
#include "tests/data_access/odbc/test_schema.h"
#include "tests/data_access/odbc/test_server.h"

namespace odbctest {
namespace {

using dbAx::provider::ColumnKind;
using dbAx::provider::ErrorMessages;
using dbAx::provider::Session;
using dbAx::provider::TableDescription;
using dbAx::provider::TextRow;
using ::testing::HasSubstr;
using ::testing::StartsWith;
namespace platform = dbAx::platform;

class OdbcBackendTest : public ServerTest {
protected:
    void SetUp() override {
        ServerTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        schema_ = std::make_unique<TestSchema>(server_);
        ErrorMessages errors;
        ASSERT_EQ(backend_.Connect(server_.dataSource, server_.user, server_.password, &session_, errors), kfx::HR_S_OK)
            << ::testing::PrintToString(errors);
    }

    std::string Here(std::string sql) const {
        for (auto at = sql.find("%s"); at != std::string::npos; at = sql.find("%s")) {
            sql.replace(at, 2, schema_->Library());
        }
        return sql;
    }

    TableDescription Describe(const std::string& selection) {
        TableDescription table;
        ErrorMessages errors;
        EXPECT_EQ(session_->Describe(selection, &table, errors), kfx::HR_S_OK) << ::testing::PrintToString(errors);
        return table;
    }

    // A row of the table with the named columns assigned.
    static std::vector<std::optional<std::string>> Row(const TableDescription& table,
                                                        const std::map<std::string, std::string>& values) {
        std::vector<std::optional<std::string>> row(table.columns.size());
        for (std::size_t column = 0; column < table.columns.size(); ++column) {
            const auto value = values.find(table.columns[column].name);
            if (value != values.end()) row[column] = value->second;
        }
        return row;
    }

    dbAx::provider::OdbcBackend backend_;
    std::unique_ptr<TestSchema> schema_;
    std::unique_ptr<Session> session_;
};

TEST_F(OdbcBackendTest, DescribesTheInterfaceFilesOfTheTestDataSourceAsTheCatalogueDeclaresThem) {
    for (const veldmark::InterfaceFile* file : {&veldmark::HeaderFile(), &veldmark::LineFile()}) {
        SCOPED_TRACE(file->name);
        const TableDescription table = Describe("SELECT * FROM " + server_.schema + "." + file->name + " WHERE 1=0");
        ASSERT_EQ(table.columns.size(), file->columns.size());
        for (std::size_t index = 0; index < table.columns.size(); ++index) {
            const veldmark::InterfaceColumn& declared = file->columns[index];
            const dbAx::provider::ColumnDescription& described = table.columns[index];
            EXPECT_EQ(described.name, declared.name);
            // The Unicode drivers report CHAR as WCHAR; PostgreSQL's DECIMAL is its NUMERIC.
            EXPECT_EQ(described.kind, declared.type.kind == veldmark::ColumnType::Char ? ColumnKind::WideChar
                                      : OnPostgreSql()                                ? ColumnKind::Numeric
                                                                                      : ColumnKind::Decimal);
            EXPECT_EQ(described.length, declared.type.length) << declared.name;
            EXPECT_EQ(described.scale, declared.type.scale) << declared.name;
            EXPECT_FALSE(described.nullable);
            EXPECT_TRUE(described.updatable);
        }
    }
}

struct RefusedConnect {
    const char* name;
    const char* dataSource;  // empty: the test data source
    const char* password;    // empty: the test password
    const char* message;         // PostgreSQL's words
    const char* mariadbMessage;  // MariaDB's
    platform::Result mariadbResult;  // PostgreSQL's driver says 08001 for either
};

class OdbcBackendConnect : public ServerTest, public ::testing::WithParamInterface<RefusedConnect> {};

TEST_P(OdbcBackendConnect, RefusesWithTheDriversDiagnostics) {
    ServerTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    const RefusedConnect& c = GetParam();
    dbAx::provider::OdbcBackend backend;
    std::unique_ptr<Session> session;
    ErrorMessages errors;
    EXPECT_EQ(backend.Connect(*c.dataSource ? c.dataSource : server_.dataSource, server_.user,
                              *c.password ? c.password : server_.password, &session, errors),
              OnPostgreSql() ? platform::E_ADO_CONNECTIONFAILED : c.mariadbResult);
    EXPECT_FALSE(session);
    ASSERT_EQ(errors.size(), 1u) << ::testing::PrintToString(errors);
    EXPECT_THAT(errors[0], StartsWith("[SQLSTATE "));
    EXPECT_THAT(errors[0], HasSubstr(OnPostgreSql() ? c.message : c.mariadbMessage));
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, OdbcBackendConnect,
    ::testing::Values(RefusedConnect{"WrongPassword", "", "wrong", "password authentication failed",
                                     "Access denied for user 'veldmark'@", platform::DB_SEC_E_AUTH_FAILED},
                      RefusedConnect{"UnknownDataSource", "NO_SUCH_DSN", "",
                                     "[unixODBC][Driver Manager]Data source name not found",
                                     "[unixODBC][Driver Manager]Data source name not found",
                                     platform::E_ADO_CONNECTIONFAILED}),
    [](const ::testing::TestParamInfo<RefusedConnect>& info) { return std::string(info.param.name); });

// What the provider itself refuses before the driver sees the data source.
struct RefusedSetting {
    const char* name;
    const char* variable;  // set to value in the environment; nullptr: none
    const char* value;
    const char* odbcIniLine;  // added to the test data source's entry; nullptr: none
    std::string user;         // empty: the test user
    std::string password;     // empty: the test password
    const char* message;      // "%s" stands for the data source
};

class OdbcBackendSetting : public ServerTest, public ::testing::WithParamInterface<RefusedSetting> {
protected:
    static inline int ownDataSources = 0;  // names them apart
};

TEST_P(OdbcBackendSetting, IsRefusedWithAMessageSayingWhere) {
    ServerTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    const RefusedSetting& c = GetParam();
    std::optional<ScopedVariable> variable;
    if (c.variable) variable.emplace(c.variable, c.value);
    std::optional<OwnDataSource> own;
    if (c.odbcIniLine) own.emplace(server_.dataSource, std::to_string(++ownDataSources), c.odbcIniLine);
    const std::string dataSource = own ? own->Name() : server_.dataSource;
    dbAx::provider::OdbcBackend backend;
    std::unique_ptr<Session> session;
    ErrorMessages errors;
    EXPECT_EQ(backend.Connect(dataSource, c.user.empty() ? server_.user : c.user,
                              c.password.empty() ? server_.password : c.password, &session, errors),
              platform::E_ADO_CONNECTIONFAILED);
    EXPECT_FALSE(session);
    std::string message = c.message;
    if (const auto at = message.find("%s"); at != std::string::npos) message.replace(at, 2, dataSource);
    EXPECT_EQ(errors, ErrorMessages{message});
}

INSTANTIATE_TEST_SUITE_P(
    Settings, OdbcBackendSetting,
    ::testing::Values(
        RefusedSetting{"QueryTimeoutNotANumber", "VELDMARK_ODBC_QUERY_TIMEOUT", "soon", nullptr, "", "",
                       "The environment variable VELDMARK_ODBC_QUERY_TIMEOUT is 'soon'; the query timeout must be a "
                       "whole number of seconds from 1 to 86400"},
        RefusedSetting{"LoginTimeoutZero", "VELDMARK_ODBC_LOGIN_TIMEOUT", "0", nullptr, "", "",
                       "The environment variable VELDMARK_ODBC_LOGIN_TIMEOUT is '0'; the login timeout must be a "
                       "whole number of seconds from 1 to 86400"},
        RefusedSetting{"DataSourceQueryTimeoutTooLong", nullptr, "", "VeldmarkQueryTimeout = 86401", "", "",
                       "The data source '%s' sets VeldmarkQueryTimeout to '86401'; the query timeout must be a "
                       "whole number of seconds from 1 to 86400"},
        RefusedSetting{"DataSourceLoginTimeoutFractional", nullptr, "", "VeldmarkLoginTimeout = 2.5", "", "",
                       "The data source '%s' sets VeldmarkLoginTimeout to '2.5'; the login timeout must be a whole "
                       "number of seconds from 1 to 86400"},
        RefusedSetting{"CommitNeitherRowNorDocument", nullptr, "", "VeldmarkCommit = Batch", "", "",
                       "The data source '%s' sets VeldmarkCommit to 'Batch'; it must be Row (each row committed on "
                       "its own) or Document (a document's rows together)"},
        // A C string would end there: "veldmark\0x" would log in as "veldmark".
        RefusedSetting{"NulInUser", nullptr, "", nullptr, std::string("veldmark\0x", 10), "",
                       "The user name contains the character U+0000 (NUL), which a data source cannot be given"},
        RefusedSetting{"NulInPassword", nullptr, "", nullptr, "", std::string("veldmark-test\0x", 15),
                       "The password contains the character U+0000 (NUL), which a data source cannot be given"}),
    [](const ::testing::TestParamInfo<RefusedSetting>& info) { return std::string(info.param.name); });

TEST_F(OdbcBackendTest, TheEnvironmentsTimeoutWinsOverTheDataSources) {
    // A valid environment setting is used, and the broken one of the data
    // source then never read.
    OwnDataSource own(server_.dataSource, "wins", "VeldmarkQueryTimeout = never");
    ScopedVariable query("VELDMARK_ODBC_QUERY_TIMEOUT", "5");
    dbAx::provider::OdbcBackend backend;
    std::unique_ptr<Session> session;
    ErrorMessages errors;
    EXPECT_EQ(backend.Connect(own.Name(), server_.user, server_.password, &session, errors), kfx::HR_S_OK)
        << ::testing::PrintToString(errors);
}

// The entry is found by the name as the user wrote it, outside ASCII too:
// its setting is read, and refused here before any login.
TEST_F(OdbcBackendTest, TheSettingsOfADataSourceNamedOutsideAsciiAreRead) {
    OwnDataSource own(server_.dataSource, "Zakład_Łódź_Ærø", "VeldmarkCommit = Batch");
    dbAx::provider::OdbcBackend backend;
    std::unique_ptr<Session> session;
    ErrorMessages errors;
    EXPECT_EQ(backend.Connect(own.Name(), server_.user, server_.password, &session, errors),
              platform::E_ADO_CONNECTIONFAILED);
    EXPECT_EQ(errors, ErrorMessages{"The data source '" + own.Name() +
                                    "' sets VeldmarkCommit to 'Batch'; it must be Row (each row committed on its "
                                    "own) or Document (a document's rows together)"});
}

struct RefusedSelection {
    const char* name;
    const char* prepare;  // run first when not empty; %s is the schema
    const char* selection;
    platform::Result result;
    const char* message;         // PostgreSQL's words; %s is the schema
    const char* mariadbMessage;  // MariaDB's; nullptr: a case of PostgreSQL's own
};

class OdbcBackendDescribe : public OdbcBackendTest, public ::testing::WithParamInterface<RefusedSelection> {};

TEST_P(OdbcBackendDescribe, Refuses) {
    const RefusedSelection& c = GetParam();
    if (!OnPostgreSql() && !c.mariadbMessage) GTEST_SKIP() << "a case of PostgreSQL's own";
    if (*c.prepare) schema_->Execute(c.prepare);
    TableDescription table;
    ErrorMessages errors;
    EXPECT_EQ(session_->Describe(Here(c.selection), &table, errors), c.result);
    ASSERT_EQ(errors.size(), 1u) << ::testing::PrintToString(errors);
    EXPECT_THAT(errors[0], HasSubstr(Here(OnPostgreSql() ? c.message : c.mariadbMessage)));
}

INSTANTIATE_TEST_SUITE_P(
    Selections, OdbcBackendDescribe,
    ::testing::Values(
        RefusedSelection{"MissingTable", "", "SELECT * FROM %s.NOSUCH WHERE 1=0", platform::DB_E_NOTABLE,
                         "[SQLSTATE 42P01] (native 1) ERROR: relation \"",
                         "[SQLSTATE 42S02] (native 1146) [ma-3.1"},
        RefusedSelection{"TwoTables", "", "SELECT * FROM %s.AIP32, %s.AIP33 WHERE 1=0",
                         platform::DB_E_ERRORSINCOMMAND, "The selection reads more than one table",
                         "The selection reads more than one table"},
        RefusedSelection{"RowsReturned", "INSERT INTO %s.AIP32 (INVN32) VALUES ('X')", "SELECT * FROM %s.AIP32",
                         platform::DB_E_ERRORSINCOMMAND, "The selection returns rows of aip32",
                         "The selection returns rows of AIP32"},
        RefusedSelection{"ComputedColumn", "", "SELECT 1 AS ONE", platform::DB_E_ERRORSINCOMMAND,
                         "does not tell which table and schema (library) column 1 ('one')",
                         "does not tell which table and schema (library) column 1 ('ONE')"},
        RefusedSelection{"UnhandledType", "CREATE TABLE %s.OTHER (NAME VARCHAR(10))",
                         "SELECT * FROM %s.OTHER WHERE 1=0", platform::DB_E_ERRORSINCOMMAND,
                         "Column other.name has the ODBC type SQL_WVARCHAR (-9) as the driver reports it",
                         "Column OTHER.NAME has the ODBC type SQL_WVARCHAR (-9) as the driver reports it"},
        RefusedSelection{"NamesEqualButForCase", "CREATE TABLE %s.TWIN (\"a\" CHAR(1), \"A\" CHAR(1))",
                         "SELECT * FROM %s.TWIN WHERE 1=0", platform::DB_E_ERRORSINCOMMAND,
                         "Table twin has two columns named A when case is ignored", nullptr}),
    [](const ::testing::TestParamInfo<RefusedSelection>& info) { return std::string(info.param.name); });

TEST_F(OdbcBackendTest, InsertsEachSetOfAssignedColumnsAndLeavesTheRestToTheirDefaults) {
    const TableDescription lines = Describe(Here("SELECT * FROM %s.AIP33 WHERE 1=0"));
    const std::vector<std::map<std::string, std::string>> rows = {
        {{"INVN33", "INV0001"}, {"LQTY33", "2.5"}},
        {{"DESC33", "Only a description"}},
        {{"INVN33", "INV0002"}, {"LQTY33", "-7"}},
        {},
    };
    for (const auto& row : rows) {
        ErrorMessages errors;
        EXPECT_EQ(session_->Insert(lines, Row(lines, row), errors), kfx::HR_S_OK) << ::testing::PrintToString(errors);
    }
    EXPECT_EQ(schema_->Rows("AIP33", {"INVN33", "DESC33", "LQTY33"}),
              (std::vector<std::vector<std::string>>{{"INV0001", "", "2.500"},
                                                     {"", "Only a description", "0.000"},
                                                     {"INV0002", "", "-7.000"},
                                                     {"", "", "0.000"}}));
}

struct RefusedInsert {
    const char* name;
    const char* column;
    const char* value;
    platform::Result result;
    const char* message;         // PostgreSQL's words
    const char* mariadbMessage;  // MariaDB's; nullptr: MariaDB takes the value
};

class OdbcBackendInsert : public OdbcBackendTest, public ::testing::WithParamInterface<RefusedInsert> {};

TEST_P(OdbcBackendInsert, RefusesWithTheServersWordsAndGoesOn) {
    const RefusedInsert& c = GetParam();
    // MariaDB's driver makes 1 of "1,5" with a warning; a release refuses
    // such a value when it is assigned, before any server sees it.
    if (!OnPostgreSql() && !c.mariadbMessage) GTEST_SKIP() << "a refusal of PostgreSQL's own";
    const TableDescription lines = Describe(Here("SELECT * FROM %s.AIP33 WHERE 1=0"));
    ErrorMessages errors;
    EXPECT_EQ(session_->Insert(lines, Row(lines, {{"INVN33", "INV0001"}, {c.column, c.value}}), errors), c.result);
    ASSERT_FALSE(errors.empty());
    EXPECT_THAT(errors[0], StartsWith(OnPostgreSql() ? c.message : c.mariadbMessage));
    errors.clear();
    EXPECT_EQ(session_->Insert(lines, Row(lines, {{"INVN33", "INV0002"}}), errors), kfx::HR_S_OK)
        << ::testing::PrintToString(errors);
    EXPECT_EQ(schema_->Rows("AIP33", {"INVN33"}), (std::vector<std::vector<std::string>>{{"INV0002"}}));
}

INSTANTIATE_TEST_SUITE_P(
    Values, OdbcBackendInsert,
    ::testing::Values(RefusedInsert{"TooLong", "CDAC33", "01SUPP0001001001", platform::DB_E_DATAOVERFLOW,
                                    "[SQLSTATE 22001] (native 1) ERROR: value too long for type character(15)",
                                    "[SQLSTATE 22001] (native 1406) "},
                      RefusedInsert{"TooLarge", "LQTY33", "123456789", platform::DB_E_DATAOVERFLOW,
                                    "[SQLSTATE 22003] (native 1) ERROR: numeric field overflow",
                                    "[SQLSTATE 22003] (native 1264) "},
                      RefusedInsert{"NotANumber", "LQTY33", "1,5", platform::DB_E_CANTCONVERTVALUE,
                                    "[SQLSTATE 22P02] (native 1) ERROR: invalid input syntax for type numeric",
                                    nullptr}),
    [](const ::testing::TestParamInfo<RefusedInsert>& info) { return std::string(info.param.name); });

TEST_F(OdbcBackendTest, RefusesARowForATableItDidNotDescribe) {
    TableDescription stranger;
    stranger.sessionKey = 7;
    ErrorMessages errors;
    EXPECT_EQ(session_->Insert(stranger, {}, errors), kfx::HR_E_INVALIDARG);
    EXPECT_EQ(errors, ErrorMessages{"The row does not fit a table described on this connection"});
}

// The look-up the stand-in host makes for a release that may have gone through.
TEST_F(OdbcBackendTest, CountsTheRowsOfAReadingSelectionWithItsParametersAsValues) {
    const TableDescription lines = Describe(Here("SELECT * FROM %s.AIP33 WHERE 1=0"));
    for (const char* invoice : {"1001", "1001", "1002"}) {
        ErrorMessages errors;
        ASSERT_EQ(session_->Insert(lines, Row(lines, {{"INVN33", invoice}, {"RTYP33", "I"}}), errors), kfx::HR_S_OK)
            << ::testing::PrintToString(errors);
    }
    const std::string selection =
        Here("SELECT INVN33, RTYP33 FROM %s.AIP33 WHERE RTRIM(INVN33) = ? AND RTRIM(RTYP33) = ?");
    struct Count {
        std::vector<std::string> parameters;
        std::size_t rows;
    };
    for (const Count& count : {Count{{"1001", "I"}, 2}, Count{{"1002", "I"}, 1}, Count{{"1001", "C"}, 0},
                               Count{{"1001' OR '1'='1", "I"}, 0}}) {
        ErrorMessages errors;
        std::vector<TextRow> rows;
        EXPECT_EQ(session_->ReadRows(selection, count.parameters, &rows, errors), kfx::HR_S_OK)
            << ::testing::PrintToString(errors);
        ASSERT_EQ(rows.size(), count.rows) << count.parameters[0];
        for (const TextRow& row : rows) {
            // PostgreSQL gives a CHAR value with the blanks that pad it, MariaDB without.
            const std::string padding = OnPostgreSql() ? std::string(7 - count.parameters[0].size(), ' ') : "";
            EXPECT_EQ(row, (TextRow{count.parameters[0] + padding, "I"}));
        }
    }
}

// With VeldmarkCommit = Document, rows wait for Commit, and Rollback drops them.
TEST_F(OdbcBackendTest, ADocumentsRowsAreCommittedTogetherWhereTheDataSourceSaysSo) {
    OwnDataSource own(server_.dataSource, "document", "VeldmarkCommit = Document");
    std::unique_ptr<Session> session;
    ErrorMessages errors;
    ASSERT_EQ(backend_.Connect(own.Name(), server_.user, server_.password, &session, errors), kfx::HR_S_OK)
        << ::testing::PrintToString(errors);
    const auto rowsSeenElsewhere = [&](const char* invoice) {
        std::vector<TextRow> rows;
        ErrorMessages counting;
        EXPECT_EQ(session_->ReadRows(Here("SELECT 1 FROM %s.AIP33 WHERE RTRIM(INVN33) = ?"), {invoice}, &rows,
                                     counting),
                  kfx::HR_S_OK)
            << ::testing::PrintToString(counting);
        return rows.size();
    };
    TableDescription lines;
    ASSERT_EQ(session->Describe(Here("SELECT * FROM %s.AIP33 WHERE 1=0"), &lines, errors), kfx::HR_S_OK);
    for (const char* invoice : {"KEPT", "KEPT", "DROPPED"}) {
        if (std::string(invoice) == "DROPPED") {
            ASSERT_EQ(session->Commit(errors), kfx::HR_S_OK) << ::testing::PrintToString(errors);
            EXPECT_EQ(rowsSeenElsewhere("KEPT"), 2u);
        }
        ASSERT_EQ(session->Insert(lines, Row(lines, {{"INVN33", invoice}}), errors), kfx::HR_S_OK)
            << ::testing::PrintToString(errors);
        EXPECT_EQ(rowsSeenElsewhere(invoice), 0u) << "committed on its own";
    }
    EXPECT_TRUE(session->Rollback());
    EXPECT_EQ(session->Commit(errors), kfx::HR_S_OK) << "nothing held: nothing to do";
    EXPECT_EQ(rowsSeenElsewhere("DROPPED"), 0u);
    EXPECT_EQ(rowsSeenElsewhere("KEPT"), 2u);
}

TEST_F(OdbcBackendTest, EachRowIsCommittedOnItsOwnByDefault) {
    const TableDescription lines = Describe(Here("SELECT * FROM %s.AIP33 WHERE 1=0"));
    ErrorMessages errors;
    ASSERT_EQ(session_->Insert(lines, Row(lines, {{"INVN33", "ALONE"}}), errors), kfx::HR_S_OK);
    EXPECT_TRUE(session_->Rollback());
    std::unique_ptr<Session> other;
    ASSERT_EQ(backend_.Connect(server_.dataSource, server_.user, server_.password, &other, errors), kfx::HR_S_OK);
    std::vector<TextRow> rows;
    ASSERT_EQ(other->ReadRows(Here("SELECT 1 FROM %s.AIP33 WHERE RTRIM(INVN33) = ?"), {"ALONE"}, &rows, errors),
              kfx::HR_S_OK);
    EXPECT_EQ(rows.size(), 1u);
}

TEST_F(OdbcBackendTest, ReadsNothingButWithOneSelection) {
    ErrorMessages errors;
    std::vector<TextRow> rows{{"untouched"}};
    EXPECT_EQ(session_->ReadRows(Here("DELETE FROM %s.AIP33"), {}, &rows, errors), platform::DB_E_ERRORSINCOMMAND);
    EXPECT_EQ(session_->ReadRows(Here("SELECT 1 FROM %s.AIP33; DELETE FROM %s.AIP33"), {}, &rows, errors),
              platform::DB_E_ERRORSINCOMMAND);
    EXPECT_EQ(errors.size(), 2u);
    EXPECT_THAT(errors[0], HasSubstr("is not one selection that only reads"));
    EXPECT_EQ(session_->ReadRows(Here("SELECT 1 FROM %s.AIP34"), {}, &rows, errors), platform::DB_E_NOTABLE);
    EXPECT_EQ(rows.size(), 1u);
}

}  // namespace
}  // namespace odbctest
