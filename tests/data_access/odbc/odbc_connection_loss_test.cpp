// The server goes away while documents are released: the process or thread
// serving a session is terminated in the middle of a document, then the
// whole server is stopped and started again; or its processes are stopped
// (SIGSTOP), so that it answers nothing at all. These tests take the shared
// test server down, so they run alone (RUN_SERIAL).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <iostream>
#include <thread>

#include "data_access/provider/odbc_backend.h"
#include "host/utf8.h"
#include "tests/data_access/odbc/admin_connection.h"
#include "tests/data_access/odbc/frozen_server.h"
#include "tests/data_access/odbc/server_release_fixture.h"
#include "tests/data_access/odbc/scoped_variable.h"

namespace odbctest {
namespace {

using Table = std::vector<std::vector<std::string>>;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;
namespace platform = dbAx::platform;
using dbAx::platform::Result;

constexpr auto kPatience = std::chrono::seconds(30);

// Stops and starts the test server through its control script (pg_ctl's
// or mariadb-ctl); a server it stopped is started again when it goes,
// whatever the test did meanwhile.
class ServerControl {
public:
    explicit ServerControl(const TestServer& server)
        : control_(server.serverControl), postgreSql_(server.kind == ServerKind::PostgreSql) {}
    ~ServerControl() {
        if (stopped_) Start();
    }
    ServerControl(const ServerControl&) = delete;
    ServerControl& operator=(const ServerControl&) = delete;

    bool Stop() {
        stopped_ = Run(postgreSql_ ? "stop -m fast" : "stop");
        return stopped_;
    }
    bool Start() {
        if (Run(postgreSql_ ? "start -w -t 60" : "start")) stopped_ = false;
        return !stopped_;
    }

private:
    bool Run(const std::string& arguments) const {
        return std::system(("'" + control_ + "' " + arguments + " >/dev/null 2>&1").c_str()) == 0;
    }

    std::string control_;
    bool postgreSql_;
    bool stopped_ = false;
};

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class OdbcConnectionLoss : public ServerReleaseFixture {
protected:
    // Terminates what serves every other connection of the test role, as an
    // administrator would: PostgreSQL's server process, MariaDB's thread.
    void TerminateOtherConnections(AdminConnection& admin) const {
        if (OnPostgreSql()) {
            admin.Query(
                "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE usename = current_user AND "
                "datname = current_database() AND pid <> pg_backend_pid()");
            return;
        }
        for (const auto& other : admin.Query("SELECT id FROM information_schema.processlist WHERE user = "
                                             "SUBSTRING_INDEX(CURRENT_USER(), '@', 1) AND id <> CONNECTION_ID()")) {
            Terminate(admin, other.at(0));
        }
    }
    void Terminate(AdminConnection& admin, const std::string& session) const {
        admin.Execute(ByServer("SELECT pg_terminate_backend(" + session + ")", "KILL " + session));
    }

    // Locks the header file in a transaction of the holder's, so that
    // inserts into it wait and reads do not; Unlock ends it.
    void LockHeaderFile(AdminConnection& holder) const {
        holder.BeginTransaction();
        holder.Execute(ByServer("LOCK TABLE " + schema_->Library() + ".AIP32 IN EXCLUSIVE MODE",
                                "LOCK TABLES " + schema_->Library() + ".AIP32 READ"));
    }
    void Unlock(AdminConnection& holder) const {
        // MariaDB keeps a table lock past the transaction's end.
        if (!OnPostgreSql()) holder.Execute("UNLOCK TABLES");
        holder.Rollback();
    }

    // The driver's words for a server that refuses connections.
    std::string Refused() const { return ByServer("Connection refused", "Can't connect to server"); }

    // Connects a session of the provider's own, describes the line file
    // through it and makes row_ a line for it.
    void OpenLineSession() {
        dbAx::provider::ErrorMessages errors;
        ASSERT_EQ(backend_.Connect(server_.dataSource, server_.user, server_.password, &session_, errors), kfx::HR_S_OK)
            << ::testing::PrintToString(errors);
        ASSERT_EQ(session_->Describe(LineSelection(), &lines_, errors), kfx::HR_S_OK) << ::testing::PrintToString(errors);
        row_.assign(lines_.columns.size(), std::nullopt);
        row_[1] = "INV0001";
    }
    std::string LineSelection() const { return "SELECT * FROM " + schema_->Library() + ".AIP33 WHERE 1=0"; }

    std::string OneError() {
        EXPECT_EQ(Log().size(), 1u) << ::testing::PrintToString(LogTexts());
        return Log().empty() ? std::string() : LogTexts()[0];
    }

    // Waits until a connection of the test role waits for a lock while
    // inserting into AIP32; its process id, or empty after kPatience. Its own
    // connection: a transaction would see the activity of its start only.
    std::string InsertWaitingForTheHeaderFile() {
        AdminConnection admin(server_);
        const std::string waitingInsert = ByServer(
            "SELECT pid FROM pg_stat_activity WHERE usename = current_user AND wait_event_type = 'Lock' "
            "AND query ILIKE 'INSERT INTO %aip32%'",
            "SELECT id FROM information_schema.processlist WHERE user = SUBSTRING_INDEX(CURRENT_USER(), '@', 1) "
            "AND state LIKE 'Waiting for table%lock' AND info LIKE 'INSERT INTO %AIP32%'");
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (std::chrono::steady_clock::now() < deadline) {
            const auto waiting = admin.Query(waitingInsert);
            if (!waiting.empty()) return waiting[0][0];
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return {};
    }

    dbAx::provider::OdbcBackend backend_;
    std::unique_ptr<dbAx::provider::Session> session_;
    dbAx::provider::TableDescription lines_;
    std::vector<std::optional<std::string>> row_;
};

TEST_F(OdbcConnectionLoss, AServerThatGoesAwayMidBatchCostsOnlyTheDocumentsItTouched) {
    ServerControl server(server_);
    ASSERT_EQ(ReleaseInvoice(u"INV0001"), kfx::KFX_REL_SUCCESS);
    ASSERT_EQ(ReleaseInvoice(u"INV0002"), kfx::KFX_REL_SUCCESS);

    // Document 3 writes its lines, then waits to insert its header while the
    // header file is locked; its server process is terminated meanwhile.
    {
        AdminConnection holder(server_);
        LockHeaderFile(holder);
        std::future<kfx::KfxReturnValue> third =
            std::async(std::launch::async, [this] { return ReleaseInvoice(u"INV0003"); });
        const std::string waiting = InsertWaitingForTheHeaderFile();
        if (!waiting.empty()) Terminate(holder, waiting);
        Unlock(holder);
        ASSERT_FALSE(waiting.empty()) << "document 3 never waited for the header file";
        EXPECT_EQ(third.get(), kfx::KFX_REL_ERROR);
    }
    const std::string lost = OneError();
    // The driver words it as it finds it (PostgreSQL's under SQLSTATE HY000,
    // "server closed the connection unexpectedly"); the provider adds what it means.
    EXPECT_THAT(lost, StartsWith("Error Updating AIP32: CAxRecordset::Update\n[SQLSTATE "));
    EXPECT_THAT(lost, HasSubstr(ByServer("terminating connection due to administrator command",
                                         "Lost connection to server during query")));
    EXPECT_THAT(lost, HasSubstr("The connection to data source '" + server_.dataSource + "' is lost"));

    // Document 4 finds no server.
    ASSERT_TRUE(server.Stop());
    EXPECT_EQ(ReleaseInvoice(u"INV0004"), kfx::KFX_REL_ERROR);
    const std::string refused = OneError();
    EXPECT_THAT(refused, StartsWith("Error in ReleaseDoc: CAxConnection::Open\n[SQLSTATE " +
                                    ByServer("08001]", "HY000] (native 2002)")));
    EXPECT_THAT(refused, HasSubstr(Refused()));

    // The server is back: the next batch releases normally.
    ASSERT_TRUE(server.Start());
    EXPECT_EQ(ReleaseInvoice(u"INV0004"), kfx::KFX_REL_SUCCESS);
    EXPECT_EQ(ReleaseInvoice(u"INV0005"), kfx::KFX_REL_SUCCESS);

    EXPECT_EQ(schema_->Rows("AIP32", {"INVN32"}), (Table{{"INV0001"}, {"INV0002"}, {"INV0004"}, {"INV0005"}}));
    Table lines;
    for (const char* number : {"INV0001", "INV0002", "INV0003", "INV0004", "INV0005"}) {
        for (int line = 0; line < 3; ++line) lines.push_back({number});
    }
    EXPECT_EQ(schema_->Rows("AIP33", {"INVN33"}), lines) << "document 3's lines stay, as after any failed header";
}

// The session of the earlier documents waits in the pool while the server
// restarts; the first document after it finds it dead and opens a new one.
TEST_F(OdbcConnectionLoss, AServerRestartedBetweenDocumentsCostsNoDocument) {
    ServerControl server(server_);
    ASSERT_EQ(ReleaseInvoice(u"INV0001"), kfx::KFX_REL_SUCCESS);
    ASSERT_TRUE(server.Stop());
    ASSERT_TRUE(server.Start());
    EXPECT_EQ(ReleaseInvoice(u"INV0002"), kfx::KFX_REL_SUCCESS) << ::testing::PrintToString(LogTexts());
    EXPECT_EQ(LogTexts(), std::vector<std::string>{"Document Released Successfully invoice.pdf"});

    // Stopped with a session pooled: the document is refused as without one.
    ASSERT_TRUE(server.Stop());
    EXPECT_EQ(ReleaseInvoice(u"INV0003"), kfx::KFX_REL_ERROR);
    EXPECT_THAT(OneError(), HasSubstr(Refused()));
    ASSERT_TRUE(server.Start());
    EXPECT_EQ(ReleaseInvoice(u"INV0003"), kfx::KFX_REL_SUCCESS) << ::testing::PrintToString(LogTexts());

    // A session terminated by the server between documents is no different.
    AdminConnection admin(server_);
    TerminateOtherConnections(admin);
    EXPECT_EQ(ReleaseInvoice(u"INV0004"), kfx::KFX_REL_SUCCESS) << ::testing::PrintToString(LogTexts());

    EXPECT_EQ(schema_->Rows("AIP32", {"INVN32"}), (Table{{"INV0001"}, {"INV0002"}, {"INV0003"}, {"INV0004"}}));
    EXPECT_EQ(schema_->RowCount("AIP33"), 12u) << "each document's three lines, once";
}

TEST_F(OdbcConnectionLoss, ASessionWhoseServerProcessIsGoneRefusesEveryLaterCallClearly) {
    ASSERT_NO_FATAL_FAILURE(OpenLineSession());
    dbAx::provider::ErrorMessages errors;
    AdminConnection admin(server_);
    EXPECT_TRUE(session_->Usable());
    TerminateOtherConnections(admin);
    EXPECT_EQ(session_->Insert(lines_, row_, errors), platform::E_ADO_CONNECTIONFAILED);
    EXPECT_FALSE(session_->Usable()) << "a lost session is not pooled";
    ASSERT_FALSE(errors.empty());
    EXPECT_THAT(errors.back(), StartsWith("The connection to data source '" + server_.dataSource + "' is lost"));

    for (int call = 0; call < 2; ++call) {
        errors.clear();
        EXPECT_EQ(session_->Insert(lines_, row_, errors), platform::E_ADO_CONNECTIONFAILED);
        EXPECT_EQ(session_->Describe(LineSelection(), &lines_, errors), platform::E_ADO_CONNECTIONFAILED);
        ASSERT_EQ(errors.size(), 2u);
        EXPECT_THAT(errors[0], StartsWith("The connection to data source '" + server_.dataSource +
                                          "' was lost earlier ([SQLSTATE "));
        EXPECT_EQ(errors[1], errors[0]);
    }
    session_.reset();

    ASSERT_NO_FATAL_FAILURE(OpenLineSession());
    errors.clear();
    EXPECT_EQ(session_->Insert(lines_, row_, errors), kfx::HR_S_OK) << ::testing::PrintToString(errors);
    EXPECT_EQ(schema_->RowCount("AIP33"), 1u);
}

TEST_F(OdbcConnectionLoss, AServerThatAnswersNothingCostsTheDocumentWithinTheTimeoutsAndNoMore) {
    TwoSecondTimeouts timeouts;
    ASSERT_EQ(ReleaseInvoice(u"INV0001"), kfx::KFX_REL_SUCCESS);
    AdminConnection admin(server_);
    FrozenServer frozen(server_, admin);
    ASSERT_GT(frozen.Processes(), OnPostgreSql() ? 1u : 0u) << "the server's processes are not found";
    const std::string unanswered = "The data source '" + server_.dataSource + "' did not answer";

    // Document 2 writes its lines and waits to insert its header behind a
    // lock; then the server stops answering.
    AdminConnection holder(server_);
    LockHeaderFile(holder);
    std::future<kfx::KfxReturnValue> second =
        std::async(std::launch::async, [this] { return ReleaseInvoice(u"INV0002"); });
    const bool waited = !InsertWaitingForTheHeaderFile().empty();
    frozen.Freeze();
    auto start = std::chrono::steady_clock::now();
    const bool secondEnded = second.wait_for(kPatience) == std::future_status::ready;
    std::cout << "document 2 ended " << SecondsSince(start) << " s after the server stopped\n";
    if (!secondEnded) frozen.Resume();  // so that the test ends
    ASSERT_TRUE(waited) << "document 2 never waited for the header file";
    ASSERT_TRUE(secondEnded) << "document 2 still waits for the stopped server";
    EXPECT_EQ(second.get(), kfx::KFX_REL_ERROR);
    EXPECT_EQ(OneError(), "Error Updating AIP32: CAxRecordset::Update\n" + unanswered +
                              " within 2 seconds; whether the row was written is not known\n\nThe connection to "
                              "data source '" + server_.dataSource +
                              "' is lost: nothing more is written through it; the next connection opens it anew\n"
                              "COM Error: Unspecified error");

    // Document 3 cannot log in.
    start = std::chrono::steady_clock::now();
    std::future<kfx::KfxReturnValue> third =
        std::async(std::launch::async, [this] { return ReleaseInvoice(u"INV0003"); });
    const bool thirdEnded = third.wait_for(kPatience) == std::future_status::ready;
    std::cout << "document 3 ended " << SecondsSince(start) << " s after it began\n";
    frozen.Resume();
    ASSERT_TRUE(thirdEnded) << "document 3 still waits for the stopped server";
    EXPECT_EQ(third.get(), kfx::KFX_REL_ERROR);
    const std::string refused = OneError();
    EXPECT_THAT(refused, StartsWith("Error in ReleaseDoc: CAxConnection::Open\n"));
    // PostgreSQL's driver keeps to the login timeout itself; MariaDB's waits
    // on, and the provider gives the login up.
    if (OnPostgreSql()) EXPECT_THAT(refused, HasSubstr("[SQLSTATE 08001]"));
    if (OnPostgreSql()) EXPECT_THAT(refused, HasSubstr("timeout expired"));
    const std::string givenUp = unanswered + " the login within 2 seconds\nCOM Error: Unspecified error";
    if (OnPostgreSql()) {
        EXPECT_THAT(refused, EndsWith("\n\n" + givenUp));
    } else {
        EXPECT_EQ(refused, "Error in ReleaseDoc: CAxConnection::Open\n" + givenUp);
    }

    // The server answers again: the next document releases normally. The
    // header of document 2 may still arrive now that its insert is answered,
    // which is why its message says the outcome is not known.
    Unlock(holder);
    EXPECT_EQ(ReleaseInvoice(u"INV0004"), kfx::KFX_REL_SUCCESS);
    const Table headers = schema_->Rows("AIP32", {"INVN32"});
    EXPECT_THAT(headers, ::testing::Contains(std::vector<std::string>{"INV0004"}));
    EXPECT_THAT(headers, ::testing::Not(::testing::Contains(std::vector<std::string>{"INV0003"})));
    EXPECT_EQ(schema_->Rows("AIP33", {"INVN33"}).size(), 9u) << "the lines of documents 1, 2 and 4";
}

TEST_F(OdbcConnectionLoss, ASessionWhoseServerStopsAnsweringGivesUpTheCallAndRefusesTheRest) {
    TwoSecondTimeouts timeouts;
    ASSERT_NO_FATAL_FAILURE(OpenLineSession());
    std::unique_ptr<dbAx::provider::Session> describing;  // a second session, to describe a table
    dbAx::provider::ErrorMessages errors;
    ASSERT_EQ(backend_.Connect(server_.dataSource, server_.user, server_.password, &describing, errors), kfx::HR_S_OK);
    AdminConnection admin(server_);
    FrozenServer frozen(server_, admin);
    frozen.Freeze();
    const auto start = std::chrono::steady_clock::now();
    std::future<Result> inserted =
        std::async(std::launch::async, [&] { return session_->Insert(lines_, row_, errors); });
    const bool ended = inserted.wait_for(kPatience) == std::future_status::ready;
    std::cout << "the insert ended " << SecondsSince(start) << " s after the server stopped\n";
    if (!ended) frozen.Resume();
    ASSERT_TRUE(ended) << "the insert still waits for the stopped server";
    EXPECT_EQ(inserted.get(), platform::E_ADO_CONNECTIONFAILED);
    EXPECT_FALSE(session_->Usable()) << "a session whose call was given up is not pooled";
    const std::string unanswered = "The data source '" + server_.dataSource + "' did not answer within 2 seconds";
    // MariaDB's driver prepares the insert on the server: the call given up
    // is that one, which writes nothing.
    EXPECT_EQ(errors, (dbAx::provider::ErrorMessages{
                          unanswered + ByServer("; whether the row was written is not known", ""),
                          "The connection to data source '" + server_.dataSource +
                              "' is lost: nothing more is written through it; the next connection opens it anew"}));

    // Nothing more goes to the driver, even before the server answers again.
    errors.clear();
    EXPECT_EQ(session_->Describe(LineSelection(), &lines_, errors), platform::E_ADO_CONNECTIONFAILED);
    EXPECT_EQ(errors, (dbAx::provider::ErrorMessages{"The connection to data source '" + server_.dataSource +
                                                     "' was lost earlier (" + unanswered +
                                                     "); nothing more is written through it; the next connection "
                                                     "opens it anew"}));
    // A selection is given up alike; no row was being written.
    errors.clear();
    dbAx::provider::TableDescription headers;
    EXPECT_EQ(describing->Describe("SELECT * FROM " + schema_->Library() + ".AIP32 WHERE 1=0", &headers, errors),
              platform::E_ADO_CONNECTIONFAILED);
    EXPECT_EQ(errors, (dbAx::provider::ErrorMessages{
                          unanswered, "The connection to data source '" + server_.dataSource +
                                          "' is lost: nothing more is written through it; the next connection "
                                          "opens it anew"}));

    // The sessions go while their calls still wait; each call ends, and
    // frees its connection, once the server answers.
    session_.reset();
    describing.reset();
    frozen.Resume();

    ASSERT_NO_FATAL_FAILURE(OpenLineSession());
    errors.clear();
    EXPECT_EQ(session_->Insert(lines_, row_, errors), kfx::HR_S_OK) << ::testing::PrintToString(errors);
}

}  // namespace
}  // namespace odbctest
