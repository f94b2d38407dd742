#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "data_access/provider/embedded_database.h"
#include "data_access/provider/provider_connection.h"
#include "data_access/provider/provider_environment.h"
#include "data_access/provider/utf8_path.h"
#include "provider_test_support.h"

namespace dbAx::provider::testing {
namespace {

TEST(ProviderEnvironment, StartsOnceAndCountsFurtherStarts) {
    ProviderEnvironment environment{BackendSelection()};
    std::unique_ptr<platform::Connection> connection;
    std::unique_ptr<platform::Recordset> recordset;
    EXPECT_EQ(environment.CreateConnection(&connection), kfx::HR_E_UNEXPECTED);
    EXPECT_EQ(environment.CreateRecordset(&recordset), kfx::HR_E_UNEXPECTED);

    EXPECT_EQ(environment.Initialize(), kfx::HR_S_OK);
    EXPECT_EQ(environment.Initialize(), kfx::HR_S_FALSE);
    environment.Uninitialize();
    EXPECT_EQ(environment.CreateConnection(&connection), kfx::HR_S_OK);
    EXPECT_EQ(environment.CreateRecordset(&recordset), kfx::HR_S_OK);
    environment.Uninitialize();
    EXPECT_EQ(environment.CreateConnection(&connection), kfx::HR_E_UNEXPECTED);
    EXPECT_EQ(environment.Initialize(), kfx::HR_S_OK);
    environment.Uninitialize();
}

class ProviderConnectionTest : public EmbeddedProviderTest {
protected:
    std::unique_ptr<platform::Connection> Create() {
        std::unique_ptr<platform::Connection> connection;
        EXPECT_EQ(environment_->CreateConnection(&connection), kfx::HR_S_OK);
        return connection;
    }
};

TEST_F(ProviderConnectionTest, OpensAndClosesADatabaseDirectory) {
    auto connection = Create();
    std::int32_t state = -1;
    EXPECT_EQ(connection->State(&state), kfx::HR_S_OK);
    EXPECT_EQ(state, platform::adStateClosed);
    const Text text = EmbeddedConnectionText(directory_.Path());
    ASSERT_EQ(connection->Open(text, u"someone", u"secret", platform::adOptionUnspecified), kfx::HR_S_OK);
    EXPECT_EQ(connection->State(&state), kfx::HR_S_OK);
    EXPECT_EQ(state, platform::adStateOpen);
    EXPECT_EQ(connection->Open(text, u"", u"", platform::adOptionUnspecified), platform::E_ADO_OBJECTOPEN);

    EXPECT_EQ(connection->Close(), kfx::HR_S_OK);
    EXPECT_EQ(connection->State(&state), kfx::HR_S_OK);
    EXPECT_EQ(state, platform::adStateClosed);
    EXPECT_EQ(connection->Close(), platform::E_ADO_OBJECTCLOSED);
    EXPECT_TRUE(ErrorTexts(*connection).empty());
}

TEST_F(ProviderConnectionTest, KeepsTheCursorLocation) {
    auto connection = Create();
    std::int32_t location = 0;
    EXPECT_EQ(connection->CursorLocation(&location), kfx::HR_S_OK);
    EXPECT_EQ(location, 2);  // adUseServer until set
    EXPECT_EQ(connection->SetCursorLocation(platform::adUseClient), kfx::HR_S_OK);
    EXPECT_EQ(connection->CursorLocation(&location), kfx::HR_S_OK);
    EXPECT_EQ(location, platform::adUseClient);
}

struct FailingOpen {
    std::string dataSource;  // "<dir>" stands for the test's directory
    std::string message;     // likewise
};

const char* const kNoSuchDataSource =
    "[SQLSTATE IM002] (native 0) [unixODBC][Driver Manager]Data source name not found and no default driver "
    "specified";

class ProviderConnectionRefuses : public ProviderConnectionTest, public ::testing::WithParamInterface<FailingOpen> {
protected:
    std::string Expand(std::string text) {
        const auto at = text.find("<dir>");
        return at == std::string::npos ? text : text.replace(at, 5, Utf8FromPath(directory_.Path()));
    }
};

TEST_P(ProviderConnectionRefuses, WithOneErrorRecord) {
    std::ofstream(directory_.Path() / "plain-file") << "not a directory";
    auto connection = Create();
    const Text text = Utf16("Provider=IBMDA400;Data source=" + Expand(GetParam().dataSource) + ";");
    EXPECT_EQ(connection->Open(text, u"", u"", platform::adOptionUnspecified), platform::E_ADO_CONNECTIONFAILED);
    std::int32_t state = -1;
    EXPECT_EQ(connection->State(&state), kfx::HR_S_OK);
    EXPECT_EQ(state, platform::adStateClosed);
    EXPECT_EQ(ErrorTexts(*connection), std::vector<std::string>{Expand(GetParam().message)});
}

INSTANTIATE_TEST_SUITE_P(
    DataSources, ProviderConnectionRefuses,
    ::testing::Values(
        FailingOpen{"sqlite:<dir>/missing", "The database directory '<dir>/missing' does not exist"},
        FailingOpen{"sqlite:<dir>/plain-file", "The database directory '<dir>/plain-file' is not a directory"},
        FailingOpen{"sqlite:", "The embedded database data source 'sqlite:' names no directory"},
        // Anything else is an ODBC data source name: the driver manager answers.
        FailingOpen{"S21PROD", kNoSuchDataSource},
        FailingOpen{"SQLite:<dir>", "The ODBC data source name 'SQLite:<dir>' is longer than the 32 characters ODBC "
                                    "allows"},
        FailingOpen{"", "The connection text names no data source (Data source=...)"}));

// As on the access objects, a failed call's records replace the earlier ones,
// so that no later failure is reported with an older one's records.
TEST_F(ProviderConnectionTest, ErrorRecordsAreThoseOfTheLatestFailedCall) {
    auto connection = Create();
    platform::Errors* errors = nullptr;
    ASSERT_EQ(connection->GetErrors(&errors), kfx::HR_S_OK);
    std::int32_t count = 0;
    platform::ErrorRecord record;

    EXPECT_NE(connection->Open(u"Provider=IBMDA400;Data source=FIRST;", u"", u"", -1), kfx::HR_S_OK);
    EXPECT_EQ(errors->Count(&count), kfx::HR_S_OK);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(errors->Item(0, &record), kfx::HR_S_OK);
    EXPECT_EQ(record.number, platform::E_ADO_CONNECTIONFAILED);
    EXPECT_EQ(Utf8(record.description), kNoSuchDataSource);

    EXPECT_NE(connection->Open(u"Provider=IBMDA400;", u"", u"", -1), kfx::HR_S_OK);
    EXPECT_EQ(errors->Count(&count), kfx::HR_S_OK);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(errors->Item(0, &record), kfx::HR_S_OK);
    EXPECT_EQ(Utf8(record.description), "The connection text names no data source (Data source=...)");
    EXPECT_EQ(errors->Item(1, &record), platform::E_ADO_ITEMNOTFOUND);
    EXPECT_EQ(errors->Item(-1, &record), platform::E_ADO_ITEMNOTFOUND);

    EXPECT_EQ(errors->Clear(), kfx::HR_S_OK);
    EXPECT_EQ(errors->Count(&count), kfx::HR_S_OK);
    EXPECT_EQ(count, 0);
}

// Stands for the ODBC backend: records what it is given and refuses.
class RecordingBackend : public Backend {
public:
    Result Connect(std::string_view dataSource, const std::string& user, const std::string& password,
                   std::unique_ptr<Session>*, ErrorMessages& errors) override {
        given = std::string(dataSource) + "|" + user + "|" + password;
        errors.push_back("first message");
        errors.push_back("second message");
        return platform::DB_SEC_E_AUTH_FAILED;
    }
    std::string given;
};

TEST(ProviderBackendSelection, HandsOtherDataSourcesWholeToTheOdbcBackend) {
    BackendSelection backends;
    auto odbc = std::make_unique<RecordingBackend>();
    RecordingBackend& recording = *odbc;
    backends.RegisterOdbc(std::move(odbc));
    ProviderEnvironment environment(std::move(backends));
    ASSERT_EQ(environment.Initialize(), kfx::HR_S_OK);
    std::unique_ptr<platform::Connection> connection;
    ASSERT_EQ(environment.CreateConnection(&connection), kfx::HR_S_OK);

    EXPECT_EQ(connection->Open(u"Provider=IBMDA400;Data source=S21PROD;", u"JSMITH", u"pa;ss", -1),
              platform::DB_SEC_E_AUTH_FAILED);
    EXPECT_EQ(recording.given, "S21PROD|JSMITH|pa;ss");
    EXPECT_EQ(ErrorTexts(*connection), (std::vector<std::string>{"first message", "second message"}));
    environment.Uninitialize();
}

class ProviderRowReadingTest : public EmbeddedProviderTest {
protected:
    void AddHeader(platform::Connection& connection, const std::string& invoice, const std::string& weight = "0") {
        auto recordset = OpenRecordset(connection, "SELECT * FROM TESTLIB.AIP32 WHERE 1=0");
        ASSERT_EQ(recordset->AddNew(), kfx::HR_S_OK);
        ASSERT_EQ(FieldOf(*recordset, "INVN32").SetValue(Utf16(invoice)), kfx::HR_S_OK);
        ASSERT_EQ(FieldOf(*recordset, "IWGH32").SetValue(Utf16(weight)), kfx::HR_S_OK);
        ASSERT_EQ(recordset->Update(), kfx::HR_S_OK);
    }
};

TEST_F(ProviderRowReadingTest, ReadsTheRowsOfAReadingSelectionWithItsParameters) {
    auto connection = Connect();
    AddHeader(*connection, "1001", " 12.50 ");
    AddHeader(*connection, "1001", "-0.125");
    AddHeader(*connection, "1002");
    auto& provider = dynamic_cast<ProviderConnection&>(*connection);
    std::vector<std::vector<std::optional<Text>>> rows;
    const Text selection = u"SELECT INVN32, IWGH32, NULL FROM TESTLIB.AIP32 WHERE RTRIM(INVN32) = ? ORDER BY IWGH32";
    EXPECT_EQ(provider.ReadRows(selection, {u"1001"}, &rows), kfx::HR_S_OK);
    using Row = std::vector<std::optional<Text>>;
    EXPECT_EQ(rows, (std::vector<Row>{{u"1001", u"-0.125", std::nullopt}, {u"1001", u"12.5", std::nullopt}}));
    EXPECT_EQ(provider.ReadRows(selection, {u"1001' OR '1'='1"}, &rows), kfx::HR_S_OK);
    EXPECT_TRUE(rows.empty()) << "a parameter is a value, never a part of the statement";
    EXPECT_TRUE(ErrorTexts(*connection).empty());
}

TEST_F(ProviderRowReadingTest, RefusesAnythingButOneReadingSelection) {
    auto connection = Connect();
    AddHeader(*connection, "1001");
    auto& provider = dynamic_cast<ProviderConnection&>(*connection);
    std::vector<std::vector<std::optional<Text>>> rows{{u"untouched"}};
    EXPECT_EQ(provider.ReadRows(u"DELETE FROM TESTLIB.AIP32", {}, &rows), platform::DB_E_ERRORSINCOMMAND);
    EXPECT_EQ(provider.ReadRows(u"SELECT 1 FROM TESTLIB.AIP32; DELETE FROM TESTLIB.AIP32", {}, &rows),
              platform::DB_E_ERRORSINCOMMAND);
    EXPECT_EQ(provider.ReadRows(u"SELECT 1 FROM TESTLIB.AIP32 WHERE INVN32 = ?", {}, &rows), kfx::HR_E_INVALIDARG);
    EXPECT_EQ(rows.size(), 1u);
    EXPECT_EQ(ReadEmbeddedRows(directory_.Path(), "TESTLIB", "AIP32").rows.size(), 1u);
    const std::vector<std::string> errors = ErrorTexts(*connection);
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.back(), "'SELECT 1 FROM TESTLIB.AIP32 WHERE INVN32 = ?' has 1 parameters; 0 were given");
    connection->Close();
    EXPECT_EQ(provider.ReadRows(u"SELECT 1 FROM TESTLIB.AIP32", {}, &rows), platform::E_ADO_OBJECTCLOSED);
}

}  // namespace
}  // namespace dbAx::provider::testing
