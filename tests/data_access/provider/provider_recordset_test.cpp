#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "data_access/provider/embedded_database.h"
#include "data_access/provider/utf8_path.h"
#include "model/interface_files.h"
#include "provider_test_support.h"

namespace dbAx::provider::testing {
namespace {

constexpr const char* kHeaderSelection = "SELECT * FROM TESTLIB.AIP32 WHERE 1=0";

std::string ValueOf(const EmbeddedRows& rows, std::size_t row, const std::string& column) {
    const auto at = std::find(rows.columns.begin(), rows.columns.end(), column);
    return rows.rows.at(row).at(static_cast<std::size_t>(at - rows.columns.begin()));
}

// The default a column of the interface files shows when nothing was assigned.
std::string DefaultText(const veldmark::ColumnType& type) {
    if (type.kind == veldmark::ColumnType::Char) return " ";
    return type.scale == 0 ? "0" : "0." + std::string(static_cast<std::size_t>(type.scale), '0');
}

class ProviderRecordsetTest : public EmbeddedProviderTest {
protected:
    EmbeddedRows HeaderRows() { return ReadEmbeddedRows(directory_.Path(), "TESTLIB", "AIP32"); }

    void ExpectState(platform::Recordset& recordset, std::int32_t editMode, bool atEnds) {
        std::int32_t mode = -1;
        bool bof = !atEnds;
        bool eof = !atEnds;
        EXPECT_EQ(recordset.EditMode(&mode), kfx::HR_S_OK);
        EXPECT_EQ(recordset.BOF(&bof), kfx::HR_S_OK);
        EXPECT_EQ(recordset.EndOfFile(&eof), kfx::HR_S_OK);
        EXPECT_EQ(mode, editMode);
        EXPECT_EQ(bof, atEnds);
        EXPECT_EQ(eof, atEnds);
    }
};

TEST_F(ProviderRecordsetTest, DescribesTheHeaderFileColumnsAsDeclared) {
    auto connection = Connect();
    auto recordset = OpenRecordset(*connection, kHeaderSelection);
    for (const veldmark::InterfaceColumn& column : veldmark::HeaderFile().columns) {
        SCOPED_TRACE(column.name);
        platform::Field& field = FieldOf(*recordset, column.name);
        std::int32_t type = 0;
        std::uint8_t precision = 0;
        std::int32_t attributes = 0;
        EXPECT_EQ(field.Type(&type), kfx::HR_S_OK);
        EXPECT_EQ(field.Precision(&precision), kfx::HR_S_OK);
        EXPECT_EQ(field.Attributes(&attributes), kfx::HR_S_OK);
        const bool character = column.type.kind == veldmark::ColumnType::Char;
        EXPECT_EQ(type, character ? platform::adChar : platform::adDecimal);
        EXPECT_EQ(precision, character ? 255 : column.type.length);
        EXPECT_EQ(attributes, platform::adFldUpdatable | platform::adFldFixed);
    }
    std::int32_t type = 0;
    std::uint8_t precision = 0;
    EXPECT_EQ(FieldOf(*recordset, "DTIN32").Type(&type), kfx::HR_S_OK);
    EXPECT_EQ(FieldOf(*recordset, "DTIN32").Precision(&precision), kfx::HR_S_OK);
    EXPECT_EQ(type, platform::adDecimal);
    EXPECT_EQ(precision, 7);
}

TEST_F(ProviderRecordsetTest, FindsLibrariesAndTablesWhateverTheirCaseButFieldsOnlyByTheirExactName) {
    auto connection = Connect();
    auto recordset = OpenRecordset(*connection, "select * from testlib.aip32 where 1=0");
    platform::Fields* fields = nullptr;
    ASSERT_EQ(recordset->GetFields(&fields), kfx::HR_S_OK);
    platform::Field* field = nullptr;
    EXPECT_EQ(fields->Item(u"INVN32", &field), kfx::HR_S_OK);
    EXPECT_EQ(fields->Item(u"invn32", &field), platform::E_ADO_ITEMNOTFOUND);
    EXPECT_EQ(fields->Item(u"INVN33", &field), platform::E_ADO_ITEMNOTFOUND);
}

TEST_F(ProviderRecordsetTest, AttachesTheLibraryFileWhateverTheCaseOfItsName) {
    std::filesystem::rename(directory_.Path() / "TESTLIB.db", directory_.Path() / "TestLib.db");
    auto connection = Connect();
    auto recordset = OpenRecordset(*connection, kHeaderSelection);
    ASSERT_EQ(recordset->AddNew(), kfx::HR_S_OK);
    EXPECT_EQ(recordset->Update(), kfx::HR_S_OK);
}

TEST_F(ProviderRecordsetTest, RefusesTwoLibraryFilesWhoseNamesDifferOnlyInCase) {
    std::filesystem::rename(directory_.Path() / "TESTLIB.db", directory_.Path() / "TestLib.db");
    if (std::filesystem::exists(directory_.Path() / "testlib.db")) {
        GTEST_SKIP() << "this file system ignores the case of names: two such files cannot be";
    }
    std::filesystem::copy_file(directory_.Path() / "TestLib.db", directory_.Path() / "testlib.db");
    auto connection = Connect();
    std::unique_ptr<platform::Recordset> recordset;
    ASSERT_EQ(environment_->CreateRecordset(&recordset), kfx::HR_S_OK);
    EXPECT_EQ(recordset->Open(Utf16(kHeaderSelection), connection.get(), 0, 3, -1), kfx::HR_E_FAIL);
    const std::vector<std::string> errors = ErrorTexts(*connection);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_THAT(errors[0], ::testing::StartsWith("Library 'TESTLIB' is ambiguous: both '"));
}

struct FailingSelection {
    const char* selection;
    platform::Result result;
    const char* message;
};

class ProviderRecordsetRefuses : public ProviderRecordsetTest,
                                 public ::testing::WithParamInterface<FailingSelection> {};

TEST_P(ProviderRecordsetRefuses, TheSelectionWithTheDatabasesMessage) {
    auto connection = Connect();
    std::unique_ptr<platform::Recordset> recordset;
    ASSERT_EQ(environment_->CreateRecordset(&recordset), kfx::HR_S_OK);
    EXPECT_EQ(recordset->Open(Utf16(GetParam().selection), connection.get(), platform::adOpenForwardOnly,
                              platform::adLockOptimistic, platform::adOptionUnspecified),
              GetParam().result);
    std::int32_t state = -1;
    EXPECT_EQ(recordset->State(&state), kfx::HR_S_OK);
    EXPECT_EQ(state, platform::adStateClosed);
    EXPECT_EQ(ErrorTexts(*connection), std::vector<std::string>{GetParam().message});
    // Nothing the refused text held has run.
    EXPECT_NO_THROW(HeaderRows());
}

INSTANTIATE_TEST_SUITE_P(
    Selections, ProviderRecordsetRefuses,
    ::testing::Values(
        FailingSelection{"SELECT * FROM NOLIB.AIP32 WHERE 1=0", platform::DB_E_ERRORSINCOMMAND,
                         "no such table: NOLIB.AIP32"},
        FailingSelection{"SELECT * FROM TESTLIB.AIP34 WHERE 1=0", platform::DB_E_ERRORSINCOMMAND,
                         "no such table: TESTLIB.AIP34"},
        FailingSelection{"SELECT * FROM TESTLIB.AIP32, TESTLIB.AIP33 WHERE 1=0", platform::DB_E_ERRORSINCOMMAND,
                         "The selection reads more than one table (AIP32 and AIP33); rows can be added to one "
                         "table only"},
        FailingSelection{"SELECT INVN32, 1 FROM TESTLIB.AIP32 WHERE 1=0", platform::DB_E_ERRORSINCOMMAND,
                         "Column 2 ('1') of the selection is not a column of a table"},
        FailingSelection{"DELETE FROM TESTLIB.AIP32", platform::DB_E_ERRORSINCOMMAND,
                         "'DELETE FROM TESTLIB.AIP32' is not one selection of the columns of a table (SELECT ... "
                         "FROM ...)"},
        FailingSelection{"SELECT * FROM TESTLIB.AIP32 WHERE 1=0; DROP TABLE TESTLIB.AIP32",
                         platform::DB_E_ERRORSINCOMMAND,
                         "'SELECT * FROM TESTLIB.AIP32 WHERE 1=0; DROP TABLE TESTLIB.AIP32' is not one selection "
                         "of the columns of a table (SELECT ... FROM ...)"}));

TEST_F(ProviderRecordsetTest, AddsOneRowWithTheAssignedValuesAndTheDefaultsForTheRest) {
    auto connection = Connect();
    auto recordset = OpenRecordset(*connection, kHeaderSelection);
    ExpectState(*recordset, platform::adEditNone, true);

    ASSERT_EQ(recordset->AddNew(), kfx::HR_S_OK);
    ExpectState(*recordset, platform::adEditAdd, false);
    std::optional<Text> value = u"unread";
    EXPECT_EQ(FieldOf(*recordset, "INVN32").Value(&value), kfx::HR_S_OK);
    EXPECT_EQ(value, std::nullopt);
    EXPECT_EQ(FieldOf(*recordset, "INVN32").SetValue(u"INV0001"), kfx::HR_S_OK);
    EXPECT_EQ(FieldOf(*recordset, "DTIN32").SetValue(u"1240131"), kfx::HR_S_OK);
    EXPECT_EQ(FieldOf(*recordset, "INVN32").Value(&value), kfx::HR_S_OK);
    EXPECT_EQ(value, Text(u"INV0001"));
    EXPECT_TRUE(HeaderRows().rows.empty());

    ASSERT_EQ(recordset->Update(), kfx::HR_S_OK) << ::testing::PrintToString(ErrorTexts(*connection));
    ExpectState(*recordset, platform::adEditNone, true);
    EXPECT_EQ(FieldOf(*recordset, "INVN32").Value(&value), platform::E_ADO_NOCURRENTRECORD);

    const EmbeddedRows rows = HeaderRows();
    ASSERT_EQ(rows.rows.size(), 1u);
    for (const veldmark::InterfaceColumn& column : veldmark::HeaderFile().columns) {
        const std::string expected = column.name == "INVN32"   ? "INV0001"
                                     : column.name == "DTIN32" ? "1240131"
                                                               : DefaultText(column.type);
        EXPECT_EQ(ValueOf(rows, 0, column.name), expected) << column.name;
    }
    EXPECT_TRUE(ErrorTexts(*connection).empty());
}

TEST_F(ProviderRecordsetTest, CommitsEachHeaderRowAtItsUpdate) {
    auto connection = Connect();
    auto recordset = OpenRecordset(*connection, kHeaderSelection);
    for (const char16_t* invoice : {u"INV0001", u"INV0002"}) {
        ASSERT_EQ(recordset->AddNew(), kfx::HR_S_OK);
        ASSERT_EQ(FieldOf(*recordset, "INVN32").SetValue(invoice), kfx::HR_S_OK);
        ASSERT_EQ(recordset->Update(), kfx::HR_S_OK);
        // Another connection sees the row at once.
        const EmbeddedRows rows = HeaderRows();
        ASSERT_FALSE(rows.rows.empty());
        EXPECT_EQ(ValueOf(rows, rows.rows.size() - 1, "INVN32"), Utf8(invoice));
    }
    EXPECT_EQ(HeaderRows().rows.size(), 2u);
}

// A document writes its lines, then its header: the lines wait for the header
// and are committed with it, or go with a connection that closes without it.
class DocumentTransactionTest : public ProviderRecordsetTest {
protected:
    EmbeddedRows LineRows() { return ReadEmbeddedRows(directory_.Path(), "TESTLIB", "AIP33"); }

    void WriteLines(platform::Connection& connection, int count) {
        auto lines = OpenRecordset(connection, kLineSelection);
        for (int line = 1; line <= count; ++line) {
            ASSERT_EQ(lines->AddNew(), kfx::HR_S_OK);
            ASSERT_EQ(FieldOf(*lines, "INVN33").SetValue(u"INV0001"), kfx::HR_S_OK);
            ASSERT_EQ(lines->Update(), kfx::HR_S_OK);
        }
    }

    static constexpr const char* kLineSelection = "SELECT * FROM TESTLIB.AIP33 WHERE 1=0";
};

TEST_F(DocumentTransactionTest, LinesAreCommittedWithTheirHeader) {
    auto connection = Connect();
    WriteLines(*connection, 3);
    EXPECT_TRUE(LineRows().rows.empty()) << "another connection saw lines without their header";
    auto header = OpenRecordset(*connection, kHeaderSelection);
    ASSERT_EQ(header->AddNew(), kfx::HR_S_OK);
    ASSERT_EQ(FieldOf(*header, "INVN32").SetValue(u"INV0001"), kfx::HR_S_OK);
    ASSERT_EQ(header->Update(), kfx::HR_S_OK);
    EXPECT_EQ(LineRows().rows.size(), 3u);
    EXPECT_EQ(HeaderRows().rows.size(), 1u);
}

TEST_F(DocumentTransactionTest, LinesOfADocumentThatEndsWithoutItsHeaderAreDropped) {
    for (const bool closedExplicitly : {true, false}) {
        SCOPED_TRACE(closedExplicitly ? "closed" : "destroyed");
        auto connection = Connect();
        WriteLines(*connection, 2);
        if (closedExplicitly) EXPECT_EQ(connection->Close(), kfx::HR_S_OK);
        connection.reset();
        EXPECT_TRUE(LineRows().rows.empty());
    }
    // The pooled session serves the next document as if nothing had been.
    auto connection = Connect();
    WriteLines(*connection, 1);
    auto header = OpenRecordset(*connection, kHeaderSelection);
    ASSERT_EQ(header->AddNew(), kfx::HR_S_OK);
    ASSERT_EQ(header->Update(), kfx::HR_S_OK);
    EXPECT_EQ(LineRows().rows.size(), 1u);
}

// Another writer's transaction on the library (a second station) is waited
// for, within the busy timeout, instead of failing the document.
TEST_F(DocumentTransactionTest, AnotherWritersLockIsWaitedFor) {
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(Utf8FromPath(directory_.Path() / "TESTLIB.db").c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE; INSERT INTO AIP33 (INVN33) VALUES ('OTHER')", nullptr, nullptr,
                           nullptr),
              SQLITE_OK);
    std::thread letGo([other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    });
    auto connection = Connect();
    WriteLines(*connection, 2);
    auto header = OpenRecordset(*connection, kHeaderSelection);
    ASSERT_EQ(header->AddNew(), kfx::HR_S_OK);
    EXPECT_EQ(header->Update(), kfx::HR_S_OK) << ::testing::PrintToString(ErrorTexts(*connection));
    letGo.join();
    sqlite3_close(other);
    EXPECT_EQ(LineRows().rows.size(), 3u);
    EXPECT_EQ(HeaderRows().rows.size(), 1u);
}

TEST_F(ProviderRecordsetTest, DropsAPendingRowOnCancelCloseOrTheConnectionsClose) {
    auto connection = Connect();
    auto recordset = OpenRecordset(*connection, kHeaderSelection);
    ASSERT_EQ(recordset->AddNew(), kfx::HR_S_OK);
    ASSERT_EQ(FieldOf(*recordset, "INVN32").SetValue(u"CANCEL"), kfx::HR_S_OK);
    EXPECT_EQ(recordset->CancelUpdate(), kfx::HR_S_OK);
    ExpectState(*recordset, platform::adEditNone, true);
    EXPECT_EQ(recordset->Update(), kfx::HR_S_OK);  // nothing pending: nothing written

    ASSERT_EQ(recordset->AddNew(), kfx::HR_S_OK);
    ASSERT_EQ(FieldOf(*recordset, "INVN32").SetValue(u"CLOSE"), kfx::HR_S_OK);
    EXPECT_EQ(recordset->Close(), kfx::HR_S_OK);
    std::int32_t state = -1;
    EXPECT_EQ(recordset->State(&state), kfx::HR_S_OK);
    EXPECT_EQ(state, platform::adStateClosed);
    EXPECT_EQ(recordset->Close(), platform::E_ADO_OBJECTCLOSED);

    auto second = OpenRecordset(*connection, kHeaderSelection);
    ASSERT_EQ(second->AddNew(), kfx::HR_S_OK);
    ASSERT_EQ(FieldOf(*second, "INVN32").SetValue(u"CONNECT"), kfx::HR_S_OK);
    EXPECT_EQ(connection->Close(), kfx::HR_S_OK);
    EXPECT_EQ(second->State(&state), kfx::HR_S_OK);
    EXPECT_EQ(state, platform::adStateClosed);
    EXPECT_EQ(second->Update(), platform::E_ADO_OBJECTCLOSED);

    EXPECT_TRUE(HeaderRows().rows.empty());
}

TEST_F(ProviderRecordsetTest, AValueTheColumnCannotTakeIsRefusedWhenAssigned) {
    auto connection = Connect();
    auto recordset = OpenRecordset(*connection, kHeaderSelection);
    ASSERT_EQ(recordset->AddNew(), kfx::HR_S_OK);
    ASSERT_EQ(FieldOf(*recordset, "INVN32").SetValue(u"KEPT"), kfx::HR_S_OK);
    EXPECT_EQ(FieldOf(*recordset, "INVN32").SetValue(u"ABCDEFGH"), platform::DB_E_ERRORSOCCURRED);
    EXPECT_EQ(ErrorTexts(*connection),
              std::vector<std::string>{"Value 'ABCDEFGH' is too long for column AIP32.INVN32 CHAR(7)"});
    ExpectState(*recordset, platform::adEditAdd, false);
    std::optional<Text> value;
    EXPECT_EQ(FieldOf(*recordset, "INVN32").Value(&value), kfx::HR_S_OK);
    EXPECT_EQ(value, Text(u"KEPT"));

    // Each refusal's record replaces the one before.
    EXPECT_EQ(FieldOf(*recordset, "DTIN32").SetValue(u"123456789"), platform::DB_E_ERRORSOCCURRED);
    EXPECT_EQ(ErrorTexts(*connection),
              std::vector<std::string>{
                  "Value '123456789' has too many integer digits for column AIP32.DTIN32 DECIMAL(7,0)"});
    EXPECT_TRUE(HeaderRows().rows.empty());

    ASSERT_EQ(FieldOf(*recordset, "DTIN32").SetValue(u"1234567"), kfx::HR_S_OK);
    EXPECT_EQ(recordset->Update(), kfx::HR_S_OK);
    const EmbeddedRows rows = HeaderRows();
    ASSERT_EQ(rows.rows.size(), 1u);
    EXPECT_EQ(ValueOf(rows, 0, "INVN32"), "KEPT");
    EXPECT_EQ(ValueOf(rows, 0, "DTIN32"), "1234567");
}

TEST_F(ProviderRecordsetTest, AddNewWhileARowIsPendingWritesThatRowFirst) {
    auto connection = Connect();
    auto recordset = OpenRecordset(*connection, kHeaderSelection);
    ASSERT_EQ(recordset->AddNew(), kfx::HR_S_OK);
    ASSERT_EQ(FieldOf(*recordset, "INVN32").SetValue(u"FIRST"), kfx::HR_S_OK);
    ASSERT_EQ(recordset->AddNew(), kfx::HR_S_OK);
    std::optional<Text> value;
    EXPECT_EQ(FieldOf(*recordset, "INVN32").Value(&value), kfx::HR_S_OK);
    EXPECT_EQ(value, std::nullopt);
    EXPECT_EQ(HeaderRows().rows.size(), 1u);
}

TEST_F(ProviderRecordsetTest, MoveFirstStaysOnThePendingRowAndOtherwiseFailsHarmlessly) {
    auto connection = Connect();
    auto recordset = OpenRecordset(*connection, kHeaderSelection);
    EXPECT_EQ(recordset->MoveFirst(), platform::E_ADO_NOCURRENTRECORD);
    ASSERT_EQ(recordset->AddNew(), kfx::HR_S_OK);
    ASSERT_EQ(FieldOf(*recordset, "INVN32").SetValue(u"KEPT"), kfx::HR_S_OK);
    EXPECT_EQ(recordset->MoveFirst(), kfx::HR_S_OK);
    ExpectState(*recordset, platform::adEditAdd, false);
    EXPECT_TRUE(HeaderRows().rows.empty());
    EXPECT_TRUE(ErrorTexts(*connection).empty());
}

TEST_F(ProviderRecordsetTest, SupportsAddingAndUpdatingButNotResync) {
    auto connection = Connect();
    auto recordset = OpenRecordset(*connection, kHeaderSelection);
    struct Case {
        std::int32_t options;
        bool supported;
    };
    for (const Case& c : {Case{platform::adAddNew, true}, Case{platform::adUpdate, true},
                          Case{platform::adAddNew | platform::adUpdate, true}, Case{platform::adResync, false},
                          Case{platform::adUpdate | platform::adResync, false}}) {
        bool supported = !c.supported;
        EXPECT_EQ(recordset->Supports(c.options, &supported), kfx::HR_S_OK);
        EXPECT_EQ(supported, c.supported) << std::hex << c.options;
    }
    EXPECT_EQ(recordset->Resync(platform::adAffectCurrent, platform::adResyncUnderlyingValues), kfx::HR_E_NOTIMPL);
    EXPECT_EQ(recordset->Close(), kfx::HR_S_OK);
    bool supported = false;
    EXPECT_EQ(recordset->Supports(platform::adAddNew, &supported), platform::E_ADO_OBJECTCLOSED);
    EXPECT_EQ(recordset->AddNew(), platform::E_ADO_OBJECTCLOSED);
}

TEST_F(ProviderRecordsetTest, KeepsItsPropertiesAndFixesTheCursorWhileOpen) {
    std::unique_ptr<platform::Recordset> recordset;
    ASSERT_EQ(environment_->CreateRecordset(&recordset), kfx::HR_S_OK);
    std::int32_t value = -1;
    EXPECT_EQ(recordset->CursorType(&value), kfx::HR_S_OK);
    EXPECT_EQ(value, platform::adOpenForwardOnly);
    EXPECT_EQ(recordset->SetCursorType(2), kfx::HR_S_OK);
    EXPECT_EQ(recordset->CursorType(&value), kfx::HR_S_OK);
    EXPECT_EQ(value, 2);
    EXPECT_EQ(recordset->SetCacheSize(7), kfx::HR_S_OK);
    EXPECT_EQ(recordset->CacheSize(&value), kfx::HR_S_OK);
    EXPECT_EQ(value, 7);
    EXPECT_EQ(recordset->SetCacheSize(0), kfx::HR_E_INVALIDARG);
    EXPECT_EQ(recordset->SetCursorLocation(platform::adUseClient), kfx::HR_S_OK);
    EXPECT_EQ(recordset->CursorLocation(&value), kfx::HR_S_OK);
    EXPECT_EQ(value, platform::adUseClient);
    EXPECT_EQ(recordset->SetMarshalOptions(platform::adMarshalModifiedOnly), kfx::HR_S_OK);
    EXPECT_EQ(recordset->MarshalOptions(&value), kfx::HR_S_OK);
    EXPECT_EQ(value, platform::adMarshalModifiedOnly);

    auto connection = Connect();
    ASSERT_EQ(recordset->SetActiveConnection(connection.get()), kfx::HR_S_OK);
    ASSERT_EQ(recordset->SetSource(Utf16(kHeaderSelection)), kfx::HR_S_OK);
    ASSERT_EQ(recordset->Open(u"", nullptr, platform::adOpenForwardOnly, platform::adLockOptimistic, -1), kfx::HR_S_OK);
    EXPECT_EQ(recordset->CursorType(&value), kfx::HR_S_OK);
    EXPECT_EQ(value, platform::adOpenForwardOnly);
    EXPECT_EQ(recordset->SetCursorType(2), platform::E_ADO_OBJECTOPEN);
    EXPECT_EQ(recordset->SetCursorLocation(2), platform::E_ADO_OBJECTOPEN);
    EXPECT_EQ(recordset->Open(Utf16(kHeaderSelection), connection.get(), 0, 3, -1), platform::E_ADO_OBJECTOPEN);
    EXPECT_EQ(recordset->SetMarshalOptions(0), kfx::HR_S_OK);
    EXPECT_EQ(recordset->SetCacheSize(1), kfx::HR_S_OK);
}

TEST_F(ProviderRecordsetTest, RefusesASelectionThatReturnsRows) {
    auto connection = Connect();
    auto adding = OpenRecordset(*connection, kHeaderSelection);
    ASSERT_EQ(adding->AddNew(), kfx::HR_S_OK);
    ASSERT_EQ(adding->Update(), kfx::HR_S_OK);

    std::unique_ptr<platform::Recordset> reading;
    ASSERT_EQ(environment_->CreateRecordset(&reading), kfx::HR_S_OK);
    EXPECT_EQ(reading->Open(u"SELECT * FROM TESTLIB.AIP32", connection.get(), 0, 3, -1),
              platform::DB_E_ERRORSINCOMMAND);
    EXPECT_EQ(ErrorTexts(*connection),
              std::vector<std::string>{"The selection returns rows of AIP32; this provider opens selections only to "
                                       "add rows, so select none (as WHERE 1=0 does)"});
}

TEST_F(ProviderRecordsetTest, OpensOnlyOnAnOpenConnection) {
    std::unique_ptr<platform::Connection> connection;
    ASSERT_EQ(environment_->CreateConnection(&connection), kfx::HR_S_OK);
    std::unique_ptr<platform::Recordset> recordset;
    ASSERT_EQ(environment_->CreateRecordset(&recordset), kfx::HR_S_OK);
    EXPECT_EQ(recordset->Open(Utf16(kHeaderSelection), connection.get(), 0, 3, -1), platform::E_ADO_OBJECTCLOSED);
    EXPECT_EQ(recordset->Open(Utf16(kHeaderSelection), nullptr, 0, 3, -1), platform::E_ADO_OBJECTCLOSED);
}

class CustomTableTest : public EmbeddedProviderTest {
protected:
    void SetUp() override {
        EmbeddedProviderTest::SetUp();
        CreateEmbeddedLibrary(directory_.Path(), "custom",
                              {"CREATE TABLE CUSTOM.T (AMOUNT NUMERIC(9,2) NOT NULL DEFAULT 0, "
                               "NAME NCHAR(3) NOT NULL DEFAULT ' ', NOTE CHAR(4), "
                               "TWICE NUMERIC(10,2) GENERATED ALWAYS AS (AMOUNT * 2), CHECK (AMOUNT >= 0))"});
    }
};

TEST_F(CustomTableTest, ReportsNumericWideCharacterNullableAndComputedColumns) {
    auto connection = Connect();
    auto recordset = OpenRecordset(*connection, "SELECT * FROM Custom.T WHERE 0=1");
    struct Expected {
        const char* name;
        std::int32_t type;
        std::uint8_t precision;
        std::int32_t attributes;
    };
    for (const Expected& expected :
         {Expected{"AMOUNT", platform::adNumeric, 9, platform::adFldUpdatable | platform::adFldFixed},
          Expected{"NAME", platform::adWChar, 255, platform::adFldUpdatable | platform::adFldFixed},
          Expected{"NOTE", platform::adChar, 255,
                   platform::adFldUpdatable | platform::adFldFixed | platform::adFldIsNullable},
          Expected{"TWICE", platform::adNumeric, 10, platform::adFldFixed | platform::adFldIsNullable}}) {
        SCOPED_TRACE(expected.name);
        platform::Field& field = FieldOf(*recordset, expected.name);
        std::int32_t type = 0;
        std::uint8_t precision = 0;
        std::int32_t attributes = 0;
        EXPECT_EQ(field.Type(&type), kfx::HR_S_OK);
        EXPECT_EQ(field.Precision(&precision), kfx::HR_S_OK);
        EXPECT_EQ(field.Attributes(&attributes), kfx::HR_S_OK);
        EXPECT_EQ(type, expected.type);
        EXPECT_EQ(precision, expected.precision);
        EXPECT_EQ(attributes, expected.attributes);
    }
}

TEST_F(CustomTableTest, RefusesToAssignAComputedColumn) {
    auto connection = Connect();
    auto recordset = OpenRecordset(*connection, "SELECT * FROM CUSTOM.T WHERE 0=1");
    ASSERT_EQ(recordset->AddNew(), kfx::HR_S_OK);
    EXPECT_EQ(FieldOf(*recordset, "TWICE").SetValue(u"5"), platform::DB_E_ERRORSOCCURRED);
    EXPECT_EQ(ErrorTexts(*connection),
              std::vector<std::string>{"Column T.TWICE is computed by the database and cannot be assigned"});
    ASSERT_EQ(FieldOf(*recordset, "AMOUNT").SetValue(u"12.5"), kfx::HR_S_OK);
    ASSERT_EQ(recordset->Update(), kfx::HR_S_OK);
    const EmbeddedRows rows = ReadEmbeddedRows(directory_.Path(), "CUSTOM", "T");
    ASSERT_EQ(rows.rows.size(), 1u);
    EXPECT_EQ(ValueOf(rows, 0, "TWICE"), "25.00");
    EXPECT_EQ(ValueOf(rows, 0, "NOTE"), "");  // null: nothing assigned and no default
}

// What only the database judges is refused when the row is written.
TEST_F(CustomTableTest, ARowTheDatabaseRefusesWritesNothingAndStaysPending) {
    auto connection = Connect();
    auto recordset = OpenRecordset(*connection, "SELECT * FROM CUSTOM.T WHERE 1=0");
    ASSERT_EQ(recordset->AddNew(), kfx::HR_S_OK);
    ASSERT_EQ(FieldOf(*recordset, "AMOUNT").SetValue(u"-1"), kfx::HR_S_OK);
    EXPECT_EQ(recordset->Update(), platform::DB_E_INTEGRITYVIOLATION);
    EXPECT_EQ(ErrorTexts(*connection), std::vector<std::string>{"CHECK constraint failed: AMOUNT >= 0"});
    EXPECT_TRUE(ReadEmbeddedRows(directory_.Path(), "CUSTOM", "T").rows.empty());

    // AddNew first writes the pending row, so it fails the same way and the row stays.
    EXPECT_EQ(recordset->AddNew(), platform::DB_E_INTEGRITYVIOLATION);
    std::optional<Text> value;
    EXPECT_EQ(FieldOf(*recordset, "AMOUNT").Value(&value), kfx::HR_S_OK);
    EXPECT_EQ(value, Text(u"-1"));

    // Corrected, the same pending row goes in.
    ASSERT_EQ(FieldOf(*recordset, "AMOUNT").SetValue(u"1"), kfx::HR_S_OK);
    EXPECT_EQ(recordset->Update(), kfx::HR_S_OK);
    EXPECT_EQ(ReadEmbeddedRows(directory_.Path(), "CUSTOM", "T").rows.size(), 1u);
}

TEST_F(CustomTableTest, RefusesColumnTypesItDoesNotHandle) {
    CreateEmbeddedLibrary(directory_.Path(), "OTHER",
                          {"CREATE TABLE OTHER.T (ID INTEGER PRIMARY KEY, A CHAR(2))",
                           "CREATE TABLE OTHER.WIDE (A DECIMAL(31,2))"});
    auto connection = Connect();
    std::unique_ptr<platform::Recordset> recordset;
    ASSERT_EQ(environment_->CreateRecordset(&recordset), kfx::HR_S_OK);
    EXPECT_EQ(recordset->Open(u"SELECT * FROM OTHER.T WHERE 1=0", connection.get(), 0, 3, -1),
              platform::DB_E_ERRORSINCOMMAND);
    EXPECT_EQ(ErrorTexts(*connection),
              std::vector<std::string>{"Column T.ID has the type 'INTEGER', which this provider does not handle "
                                       "(CHAR(n), NCHAR(n), DECIMAL(p,s) or NUMERIC(p,s))"});
    EXPECT_EQ(recordset->Open(u"SELECT * FROM OTHER.WIDE WHERE 1=0", connection.get(), 0, 3, -1),
              platform::DB_E_ERRORSINCOMMAND);
    EXPECT_EQ(ErrorTexts(*connection),
              std::vector<std::string>{
                  "Column WIDE.A is DECIMAL(31,2); the embedded database keeps numbers of at most 15 digits "
                  "exactly"});
}

}  // namespace
}  // namespace dbAx::provider::testing
