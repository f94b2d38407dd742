// The pool beneath the connections, through the provider environment with
// the embedded backend wrapped so that its sessions can be counted, told
// apart and made to die unnoticed.
#include <atomic>
#include <filesystem>
#include <mutex>
#include <set>
#include <thread>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "data_access/provider/embedded_backend.h"
#include "data_access/provider/embedded_database.h"
#include "data_access/provider/provider_connection.h"
#include "data_access/provider/provider_environment.h"
#include "data_access/provider/utf8_path.h"
#include "provider_test_support.h"

namespace dbAx::provider::testing {
namespace {

// What the counting backend's sessions share with the test.
struct SessionCounts {
    std::atomic<int> connects{0};
    std::atomic<int> open{0};
    std::atomic<int> describes{0};  // that reached the database
    // The next call on a session opened before fails as on a lost connection.
    std::atomic<bool> dieUnnoticed{false};
    // Sessions that a server or its link can end unseen; otherwise what the
    // embedded session says of itself.
    bool likeAServer = true;
};

class CountedSession : public Session {
public:
    CountedSession(std::unique_ptr<Session> inner, SessionCounts& counts) : inner_(std::move(inner)), counts_(counts) {
        ++counts_.open;
    }
    ~CountedSession() override { --counts_.open; }

    Result Describe(const std::string& selection, TableDescription* table, ErrorMessages& errors) override {
        if (Dies(errors)) return platform::E_ADO_CONNECTIONFAILED;
        ++counts_.describes;
        return inner_->Describe(selection, table, errors);
    }
    Result Insert(const TableDescription& table, const std::vector<std::optional<std::string>>& values,
                  ErrorMessages& errors) override {
        if (Dies(errors)) return platform::E_ADO_CONNECTIONFAILED;
        return inner_->Insert(table, values, errors);
    }
    Result ReadRows(const std::string& selection, const std::vector<std::string>& parameters,
                    std::vector<TextRow>* rows, ErrorMessages& errors) override {
        if (Dies(errors)) return platform::E_ADO_CONNECTIONFAILED;
        return inner_->ReadRows(selection, parameters, rows, errors);
    }
    Result Commit(ErrorMessages& errors) override {
        if (Dies(errors)) return platform::E_ADO_CONNECTIONFAILED;
        return inner_->Commit(errors);
    }
    bool Rollback() override { return !lost_ && inner_->Rollback(); }
    bool Usable() override { return !lost_ && inner_->Usable(); }
    bool UsableProvesAlive() const override { return !counts_.likeAServer && inner_->UsableProvesAlive(); }

private:
    bool Dies(ErrorMessages& errors) {
        if (counts_.dieUnnoticed.exchange(false)) lost_ = true;
        if (lost_) errors.push_back("the server went away");
        return lost_;
    }

    std::unique_ptr<Session> inner_;
    SessionCounts& counts_;
    bool lost_ = false;
};

class CountingBackend : public Backend {
public:
    explicit CountingBackend(SessionCounts& counts) : counts_(counts) {}
    Result Connect(std::string_view dataSource, const std::string& user, const std::string& password,
                   std::unique_ptr<Session>* session, ErrorMessages& errors) override {
        ++counts_.connects;
        std::unique_ptr<Session> inner;
        const Result result = embedded_.Connect(dataSource, user, password, &inner, errors);
        if (kfx::Succeeded(result)) *session = std::make_unique<CountedSession>(std::move(inner), counts_);
        return result;
    }

private:
    EmbeddedBackend embedded_;
    SessionCounts& counts_;
};

BackendSelection Counting(SessionCounts& counts) {
    BackendSelection backends;
    backends.RegisterPrefix("sqlite:", std::make_unique<CountingBackend>(counts));
    return backends;
}

constexpr const char* kHeaders = "SELECT * FROM TESTLIB.AIP32 WHERE 1=0";
constexpr const char* kLines = "SELECT * FROM TESTLIB.AIP33 WHERE 1=0";

class SessionPoolTest : public ::testing::Test {
protected:
    SessionPoolTest() { CreateEmbeddedInterfaceFiles(directory_.Path(), "TESTLIB"); }
    void SetUp() override { ASSERT_EQ(environment_.Initialize(), kfx::HR_S_OK); }
    void TearDown() override { environment_.Uninitialize(); }

    std::unique_ptr<platform::Connection> Open(const std::filesystem::path& directory, const Text& user = u"",
                                               const Text& password = u"") {
        std::unique_ptr<platform::Connection> connection;
        EXPECT_EQ(environment_.CreateConnection(&connection), kfx::HR_S_OK);
        EXPECT_EQ(connection->Open(EmbeddedConnectionText(directory), user, password, platform::adOptionUnspecified),
                  kfx::HR_S_OK)
            << ::testing::PrintToString(ErrorTexts(*connection));
        return connection;
    }

    // A row with the one value added to a table of the connection's library.
    // Without an update it stays pending.
    enum class Then { Update, LeavePending, ExpectRefusal, ExpectRefusedAssignment };
    void AddRow(platform::Connection& connection, const char* selection, const char16_t* column,
                const std::string& value, Then then = Then::Update) {
        std::unique_ptr<platform::Recordset> recordset;
        ASSERT_EQ(environment_.CreateRecordset(&recordset), kfx::HR_S_OK);
        ASSERT_EQ(recordset->Open(Utf16(selection), &connection, platform::adOpenForwardOnly,
                                  platform::adLockOptimistic, platform::adOptionUnspecified),
                  kfx::HR_S_OK)
            << ::testing::PrintToString(ErrorTexts(connection));
        ASSERT_EQ(recordset->AddNew(), kfx::HR_S_OK);
        platform::Fields* fields = nullptr;
        platform::Field* field = nullptr;
        ASSERT_EQ(recordset->GetFields(&fields), kfx::HR_S_OK);
        ASSERT_EQ(fields->Item(column, &field), kfx::HR_S_OK);
        if (then == Then::ExpectRefusedAssignment) {
            EXPECT_EQ(field->SetValue(Utf16(value)), platform::DB_E_ERRORSOCCURRED);
            return;
        }
        ASSERT_EQ(field->SetValue(Utf16(value)), kfx::HR_S_OK);
        if (then == Then::Update) {
            ASSERT_EQ(recordset->Update(), kfx::HR_S_OK) << ::testing::PrintToString(ErrorTexts(connection));
        } else if (then == Then::ExpectRefusal) {
            EXPECT_TRUE(kfx::Failed(recordset->Update()));
        }
    }
    void AddHeader(platform::Connection& connection, const std::string& invoice, bool update = true) {
        AddRow(connection, kHeaders, u"INVN32", invoice, update ? Then::Update : Then::LeavePending);
    }

    // One document: its own connection, opened, written and closed.
    void ReleaseDocument(const std::string& invoice) {
        auto connection = Open(directory_.Path());
        AddHeader(*connection, invoice);
        EXPECT_EQ(connection->Close(), kfx::HR_S_OK);
        EXPECT_TRUE(ErrorTexts(*connection).empty()) << ::testing::PrintToString(ErrorTexts(*connection));
    }

    std::vector<std::string> Headers(const std::filesystem::path& directory) {
        std::vector<std::string> invoices;
        const EmbeddedRows rows = ReadEmbeddedRows(directory, "TESTLIB", "AIP32");
        const auto column = std::find(rows.columns.begin(), rows.columns.end(), "INVN32") - rows.columns.begin();
        for (const auto& row : rows.rows) invoices.push_back(row[column].substr(0, row[column].find(' ')));
        return invoices;
    }

    TemporaryDirectory directory_;
    SessionCounts counts_;
    ProviderEnvironment environment_{Counting(counts_)};
};

TEST_F(SessionPoolTest, ABatchOfDocumentsGoesThroughOneSessionAndEveryRowIsSeenAtOnce) {
    for (int document = 1; document <= 5; ++document) {
        ReleaseDocument("INV" + std::to_string(document));
        // Read on a connection of its own, as another process reads.
        EXPECT_EQ(Headers(directory_.Path()).size(), static_cast<std::size_t>(document));
    }
    EXPECT_EQ(counts_.connects, 1);
    EXPECT_EQ(counts_.open, 1) << "pooled";
}

// A pooled session asks the database for the first description of each
// document, which proves it alive; the rest it remembers, until an insert
// fails or a value is refused by what a description says.
TEST_F(SessionPoolTest, DescriptionsAreRememberedAcrossDocumentsUntilAnInsertOrValueFails) {
    const auto document = [&](const std::string& invoice, const std::string& quantity) {
        auto connection = Open(directory_.Path());
        AddRow(*connection, kLines, u"INVN33", invoice);
        AddRow(*connection, kLines, u"LQTY33", quantity,
               quantity == "99"     ? Then::ExpectRefusal
               : quantity == "many" ? Then::ExpectRefusedAssignment
                                    : Then::Update);
        AddHeader(*connection, invoice);
    };
    // The library refuses a quantity of 99, as a server's rule might.
    sqlite3* library = nullptr;
    ASSERT_EQ(sqlite3_open(Utf8FromPath(directory_.Path() / "TESTLIB.db").c_str(), &library), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(library,
                           "CREATE TRIGGER REFUSE99 BEFORE INSERT ON AIP33 WHEN NEW.LQTY33 = 99 "
                           "BEGIN SELECT RAISE(ABORT, 'no 99'); END",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(library);
    document("INV1", "1");
    EXPECT_EQ(counts_.describes, 2) << "the lines, then the headers";
    document("INV2", "2");
    document("INV3", "3");
    EXPECT_EQ(counts_.describes, 4) << "one a document";
    document("INV4", "99");
    EXPECT_EQ(counts_.describes, 6) << "the refused insert made the headers be described again";
    document("INV5", "5");
    EXPECT_EQ(counts_.describes, 7);
    document("INV6", "many");
    EXPECT_EQ(counts_.describes, 9) << "the refused value made the headers be described again";
    document("INV7", "7");
    EXPECT_EQ(counts_.describes, 10);
    EXPECT_EQ(counts_.connects, 1);
    EXPECT_EQ(Headers(directory_.Path()),
              (std::vector<std::string>{"INV1", "INV2", "INV3", "INV4", "INV5", "INV6", "INV7"}));
}

// An embedded session that the pool's checks found with its files where they
// were cannot have died: no document asks its database again.
TEST_F(SessionPoolTest, AnEmbeddedSessionTakenFromThePoolDescribesNothingAgain) {
    counts_.likeAServer = false;
    for (int document = 1; document <= 3; ++document) ReleaseDocument("INV" + std::to_string(document));
    EXPECT_EQ(counts_.describes, 1) << "the headers, once";
    // A library file replaced is still found out when the session is taken.
    std::error_code error;
    if (!std::filesystem::remove(directory_.Path() / "TESTLIB.db", error)) {
        GTEST_SKIP() << "this system removes no file that a session holds open: " << error.message();
    }
    CreateEmbeddedInterfaceFiles(directory_.Path(), "TESTLIB");
    ReleaseDocument("NEW");
    EXPECT_EQ(counts_.connects, 2);
    EXPECT_EQ(counts_.describes, 2);
    EXPECT_EQ(Headers(directory_.Path()), std::vector<std::string>{"NEW"});
}

TEST_F(SessionPoolTest, OnlyTheSameDataSourceUserAndPasswordShareASession) {
    TemporaryDirectory other;
    CreateEmbeddedInterfaceFiles(other.Path(), "TESTLIB");
    struct Use {
        const std::filesystem::path* directory;
        Text user;
        Text password;
        int connectsAfter;
    };
    const std::vector<Use> uses = {
        {&directory_.Path(), u"ANNA", u"one", 1}, {&directory_.Path(), u"ANNA", u"one", 1},
        {&directory_.Path(), u"BERT", u"one", 2}, {&directory_.Path(), u"ANNA", u"two", 3},
        {&other.Path(), u"ANNA", u"one", 4},      {&directory_.Path(), u"anna", u"one", 5},
        {&directory_.Path(), u"BERT", u"one", 5}, {&other.Path(), u"ANNA", u"one", 5},
    };
    for (std::size_t index = 0; index < uses.size(); ++index) {
        const Use& use = uses[index];
        auto connection = Open(*use.directory, use.user, use.password);
        EXPECT_EQ(counts_.connects, use.connectsAfter) << "use " << index;
        EXPECT_EQ(connection->Close(), kfx::HR_S_OK);
    }
}

TEST_F(SessionPoolTest, TwoLiveConnectionsNeverShareASession) {
    auto first = Open(directory_.Path());
    auto second = Open(directory_.Path());
    Session* firstSession = dynamic_cast<ProviderConnection&>(*first).OpenSession();
    EXPECT_NE(firstSession, dynamic_cast<ProviderConnection&>(*second).OpenSession());
    EXPECT_EQ(counts_.connects, 2);
    first.reset();  // destroyed without a close: the session goes back all the same
    auto third = Open(directory_.Path());
    EXPECT_EQ(dynamic_cast<ProviderConnection&>(*third).OpenSession(), firstSession);
    EXPECT_EQ(counts_.connects, 2);
}

TEST_F(SessionPoolTest, ConnectionsOnSeveralThreadsHoldTheirSessionAlone) {
    std::mutex mutex;
    std::set<Session*> held;
    std::atomic<int> shared{0};
    const auto station = [&](int number) {
        for (int document = 0; document < 25; ++document) {
            auto connection = Open(directory_.Path());
            Session* session = dynamic_cast<ProviderConnection&>(*connection).OpenSession();
            {
                std::lock_guard lock(mutex);
                if (!held.insert(session).second) ++shared;
            }
            AddHeader(*connection, std::to_string(number) + "-" + std::to_string(document));
            {
                std::lock_guard lock(mutex);
                held.erase(session);
            }
            EXPECT_EQ(connection->Close(), kfx::HR_S_OK);
        }
    };
    std::vector<std::thread> stations;
    for (int number = 0; number < 4; ++number) stations.emplace_back(station, number);
    for (std::thread& thread : stations) thread.join();
    EXPECT_EQ(shared, 0);
    EXPECT_LE(counts_.connects, 4);
    EXPECT_EQ(Headers(directory_.Path()).size(), 100u);
}

TEST_F(SessionPoolTest, ARowLeftPendingAtTheCloseIsNotHandedOn) {
    {
        auto connection = Open(directory_.Path());
        AddHeader(*connection, "DROPPED", false);
        EXPECT_EQ(connection->Close(), kfx::HR_S_OK);
    }
    ReleaseDocument("KEPT");
    EXPECT_EQ(counts_.connects, 1);
    EXPECT_EQ(Headers(directory_.Path()), std::vector<std::string>{"KEPT"});
}

TEST_F(SessionPoolTest, ASessionWhoseLibraryFileWasReplacedIsNotTakenAgain) {
    ReleaseDocument("OLD");
    std::error_code error;
    std::filesystem::remove_all(directory_.Path(), error);
    if (error) GTEST_SKIP() << "this system removes no file that a session holds open: " << error.message();
    CreateEmbeddedInterfaceFiles(directory_.Path(), "TESTLIB");
    ReleaseDocument("NEW");
    EXPECT_EQ(counts_.connects, 2);
    EXPECT_EQ(counts_.open, 1) << "the stale session is closed";
    EXPECT_EQ(Headers(directory_.Path()), std::vector<std::string>{"NEW"}) << "written to the file that is there";
}

// How an administrator puts a library back from its backup while a release
// runs: a new file at the library's path, the old one still held open.
enum class Restore { MovedOver, RemovedAndCopied };

std::string IntegrityCheck(const std::filesystem::path& file) {
    sqlite3* database = nullptr;
    std::string answer = "cannot be opened";
    if (sqlite3_open(Utf8FromPath(file).c_str(), &database) == SQLITE_OK) {
        sqlite3_stmt* check = nullptr;
        sqlite3_prepare_v2(database, "PRAGMA integrity_check", -1, &check, nullptr);
        answer = sqlite3_step(check) == SQLITE_ROW ? reinterpret_cast<const char*>(sqlite3_column_text(check, 0))
                                                   : sqlite3_errmsg(database);
        sqlite3_finalize(check);
    }
    sqlite3_close(database);
    return answer;
}

class LibraryRestoredTest : public SessionPoolTest, public ::testing::WithParamInterface<Restore> {
protected:
    LibraryRestoredTest() {
        // The backup holds one invoice and no log: closed by its last connection.
        CreateEmbeddedInterfaceFiles(backup_.Path(), "TESTLIB");
        sqlite3* database = nullptr;
        EXPECT_EQ(sqlite3_open(Utf8FromPath(backup_.Path() / "TESTLIB.db").c_str(), &database), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(database, "INSERT INTO AIP32 (INVN32) VALUES ('RESTORED')", nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(database);
    }

    // False where a file that a session holds open can be neither removed nor replaced.
    bool RestoreFromBackup() {
        const std::filesystem::path backup = backup_.Path() / "TESTLIB.db";
        std::error_code error;
        if (GetParam() == Restore::MovedOver) {
            const std::filesystem::path restored = directory_.Path() / "restored.tmp";
            std::filesystem::copy_file(backup, restored);
            std::filesystem::rename(restored, Library(), error);
        } else if (std::filesystem::remove(Library(), error)) {
            std::filesystem::copy_file(backup, Library());
        }
        return !error;
    }

    // The last close of the library, as when the process ends.
    void CloseEverySession() {
        environment_.Uninitialize();
        ASSERT_EQ(environment_.Initialize(), kfx::HR_S_OK);
    }

    std::filesystem::path Library() const { return directory_.Path() / "TESTLIB.db"; }

    TemporaryDirectory backup_;
};

TEST_P(LibraryRestoredTest, BetweenDocumentsKeepsTheRestoredRowsAndTakesTheNextDocuments) {
    // Two sessions in the pool hold the old file: the release's and another user's.
    ReleaseDocument("OLD1");
    AddHeader(*Open(directory_.Path(), u"OTHER"), "OLD2");
    ASSERT_EQ(counts_.open, 2);
    if (!RestoreFromBackup()) GTEST_SKIP() << "this system replaces no file that a session holds open";
    ReleaseDocument("NEW1");
    ReleaseDocument("NEW2");
    EXPECT_EQ(counts_.open, 1) << "every session holding the old file is closed";
    const std::vector<std::string> expected{"RESTORED", "NEW1", "NEW2"};
    EXPECT_EQ(Headers(directory_.Path()), expected);
    CloseEverySession();
    EXPECT_EQ(IntegrityCheck(Library()), "ok");
    EXPECT_EQ(Headers(directory_.Path()), expected);
}

TEST_P(LibraryRestoredTest, MidDocumentFailsTheDocumentAndKeepsTheRestoredRows) {
    ReleaseDocument("OLD");
    auto connection = Open(directory_.Path());
    AddRow(*connection, kLines, u"INVN33", "HALF");
    if (!RestoreFromBackup()) GTEST_SKIP() << "this system replaces no file that a session holds open";
    AddRow(*connection, kHeaders, u"INVN32", "HALF", Then::ExpectRefusal);
    EXPECT_EQ(ErrorTexts(*connection),
              std::vector<std::string>{"The library file '" + Utf8FromPath(Library()) +
                                       "' was replaced or removed while the document was written: nothing of "
                                       "the document was written"});
    EXPECT_EQ(connection->Close(), kfx::HR_S_OK);
    ReleaseDocument("NEW");
    CloseEverySession();
    EXPECT_EQ(IntegrityCheck(Library()), "ok");
    EXPECT_EQ(Headers(directory_.Path()), (std::vector<std::string>{"RESTORED", "NEW"}));
    EXPECT_TRUE(ReadEmbeddedRows(directory_.Path(), "TESTLIB", "AIP33").rows.empty());
}

INSTANTIATE_TEST_SUITE_P(Restores, LibraryRestoredTest,
                         ::testing::Values(Restore::MovedOver, Restore::RemovedAndCopied),
                         [](const ::testing::TestParamInfo<Restore>& info) {
                             return info.param == Restore::MovedOver ? "MovedOver" : "RemovedAndCopied";
                         });

TEST_F(SessionPoolTest, APooledSessionFoundLostAtItsFirstCallIsReplacedWithoutAWord) {
    ReleaseDocument("FIRST");
    counts_.dieUnnoticed = true;
    ReleaseDocument("SECOND");
    EXPECT_EQ(counts_.connects, 2);
    EXPECT_EQ(counts_.open, 1) << "the lost session is not given back";
    EXPECT_EQ(Headers(directory_.Path()), (std::vector<std::string>{"FIRST", "SECOND"}));
}

// Once a row may have gone through the session, a loss is the document's:
// the call is not made again elsewhere.
TEST_F(SessionPoolTest, ASessionLostOnceItHasServedIsNotReplacedBehindTheDocumentsBack) {
    auto connection = Open(directory_.Path());
    AddHeader(*connection, "FIRST");
    counts_.dieUnnoticed = true;
    AddRow(*connection, kHeaders, u"INVN32", "LOST", Then::ExpectRefusal);
    EXPECT_EQ(ErrorTexts(*connection), std::vector<std::string>{"the server went away"});
    EXPECT_EQ(connection->Close(), kfx::HR_S_OK);
    EXPECT_EQ(counts_.open, 0) << "the lost session is closed, not pooled";
    ReleaseDocument("SECOND");
    EXPECT_EQ(counts_.connects, 2);
    EXPECT_EQ(Headers(directory_.Path()), (std::vector<std::string>{"FIRST", "SECOND"}));
}

TEST_F(SessionPoolTest, TheLastStopClosesEveryPooledSessionAndLeavesNoLogBehind) {
    ReleaseDocument("FIRST");
    auto user = Open(directory_.Path(), u"OTHER");
    user.reset();
    EXPECT_EQ(counts_.open, 2);
    EXPECT_TRUE(std::filesystem::exists(directory_.Path() / "TESTLIB.db-wal")) << "the library stays attached";
    ASSERT_EQ(environment_.Initialize(), kfx::HR_S_FALSE);
    environment_.Uninitialize();
    EXPECT_EQ(counts_.open, 2) << "still started";
    environment_.Uninitialize();
    EXPECT_EQ(counts_.open, 0);
    for (const char* suffix : {"-wal", "-shm"}) {
        EXPECT_FALSE(std::filesystem::exists(directory_.Path() / (std::string("TESTLIB.db") + suffix))) << suffix;
    }
    EXPECT_EQ(Headers(directory_.Path()), std::vector<std::string>{"FIRST"});
    ASSERT_EQ(environment_.Initialize(), kfx::HR_S_OK);  // for the tear-down
}

TEST(SessionPoolIdleTime, ASessionIdleLongerThanTheIdleTimeIsClosed) {
    TemporaryDirectory directory;
    CreateEmbeddedInterfaceFiles(directory.Path(), "TESTLIB");
    SessionCounts counts;
    ProviderEnvironment environment(Counting(counts), std::chrono::milliseconds(300));
    ASSERT_EQ(environment.Initialize(), kfx::HR_S_OK);
    const auto document = [&] {
        std::unique_ptr<platform::Connection> connection;
        ASSERT_EQ(environment.CreateConnection(&connection), kfx::HR_S_OK);
        ASSERT_EQ(connection->Open(EmbeddedConnectionText(directory.Path()), u"", u"", -1), kfx::HR_S_OK);
    };
    document();
    document();
    EXPECT_EQ(counts.connects, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    document();
    EXPECT_EQ(counts.connects, 2);
    EXPECT_EQ(counts.open, 1) << "the idle one is closed when the pool is next used";
    environment.Uninitialize();
}

}  // namespace
}  // namespace dbAx::provider::testing
