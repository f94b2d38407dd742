// The server goes away while documents are released: its process is
// terminated in the middle of a document, then the whole server is stopped
// and started again. These tests take the shared test server down, so they
// run alone (RUN_SERIAL).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <thread>

#include "data_access/provider/odbc_backend.h"
#include "host/utf8.h"
#include "tests/data_access/odbc/admin_connection.h"
#include "tests/data_access/odbc/postgres_release_fixture.h"

namespace odbctest {
namespace {

using Table = std::vector<std::vector<std::string>>;
using ::testing::HasSubstr;
using ::testing::StartsWith;
namespace platform = dbAx::platform;

constexpr auto kPatience = std::chrono::seconds(30);

// Stops and starts the test server; a server it stopped is started again
// when it goes, whatever the test did meanwhile.
class ServerControl {
public:
    explicit ServerControl(std::string pgCtl) : pgCtl_(std::move(pgCtl)) {}
    ~ServerControl() {
        if (stopped_) Start();
    }
    ServerControl(const ServerControl&) = delete;
    ServerControl& operator=(const ServerControl&) = delete;

    bool Stop() {
        stopped_ = Run("stop -m fast");
        return stopped_;
    }
    bool Start() {
        if (Run("start -w -t 60")) stopped_ = false;
        return !stopped_;
    }

private:
    bool Run(const std::string& arguments) const {
        return std::system(("'" + pgCtl_ + "' " + arguments + " >/dev/null 2>&1").c_str()) == 0;
    }

    std::string pgCtl_;
    bool stopped_ = false;
};

// Terminates the server process of every other connection of the test
// role to the test database, as an administrator would.
void TerminateOtherConnections(AdminConnection& admin) {
    admin.Query(
        "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE usename = current_user AND "
        "datname = current_database() AND pid <> pg_backend_pid()");
}

class OdbcConnectionLoss : public PostgresReleaseFixture {
protected:
    // Releases an invoice of the typical kind under its own number, as the
    // next document of a batch.
    kfx::KfxReturnValue ReleaseInvoice(const char16_t* number) {
        sink_ = std::make_shared<standin::MessageSink>();
        document_.values.clear();
        AddTypicalInvoiceHere();
        Remove(u"AIP32.INVN32");
        Add(u"AIP32.INVN32", number);
        return Release();
    }

    std::string OneError() {
        EXPECT_EQ(Log().size(), 1u) << ::testing::PrintToString(LogTexts());
        return Log().empty() ? std::string() : LogTexts()[0];
    }

    // Waits until a connection of the test role waits for a lock while
    // inserting into AIP32; its process id, or empty after kPatience. Its own
    // connection: a transaction would see the activity of its start only.
    std::string InsertWaitingForTheHeaderFile() {
        AdminConnection admin(server_);
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (std::chrono::steady_clock::now() < deadline) {
            const auto waiting = admin.Query(
                "SELECT pid FROM pg_stat_activity WHERE usename = current_user AND wait_event_type = 'Lock' "
                "AND query ILIKE 'INSERT INTO %aip32%'");
            if (!waiting.empty()) return waiting[0][0];
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return {};
    }
};

TEST_F(OdbcConnectionLoss, AServerThatGoesAwayMidBatchCostsOnlyTheDocumentsItTouched) {
    ServerControl server(server_.serverControl);
    ASSERT_EQ(ReleaseInvoice(u"INV0001"), kfx::KFX_REL_SUCCESS);
    ASSERT_EQ(ReleaseInvoice(u"INV0002"), kfx::KFX_REL_SUCCESS);

    // Document 3 writes its lines, then waits to insert its header while the
    // header file is locked; its server process is terminated meanwhile.
    {
        AdminConnection holder(server_);
        holder.BeginTransaction();
        holder.Execute("LOCK TABLE " + schema_->Library() + ".AIP32 IN EXCLUSIVE MODE");
        std::future<kfx::KfxReturnValue> third =
            std::async(std::launch::async, [this] { return ReleaseInvoice(u"INV0003"); });
        const std::string waiting = InsertWaitingForTheHeaderFile();
        if (!waiting.empty()) holder.Query("SELECT pg_terminate_backend(" + waiting + ")");
        holder.Rollback();
        ASSERT_FALSE(waiting.empty()) << "document 3 never waited for the header file";
        EXPECT_EQ(third.get(), kfx::KFX_REL_ERROR);
    }
    const std::string lost = OneError();
    // The driver words it as it finds it (here SQLSTATE HY000, "server closed
    // the connection unexpectedly"); the provider adds what it means.
    EXPECT_THAT(lost, StartsWith("Error Updating AIP32: CAxRecordset::Update\n[SQLSTATE "));
    EXPECT_THAT(lost, HasSubstr("terminating connection due to administrator command"));
    EXPECT_THAT(lost, HasSubstr("The connection to data source '" + server_.dataSource + "' is lost"));

    // Document 4 finds no server.
    ASSERT_TRUE(server.Stop());
    EXPECT_EQ(ReleaseInvoice(u"INV0004"), kfx::KFX_REL_ERROR);
    const std::string refused = OneError();
    EXPECT_THAT(refused, StartsWith("Error in ReleaseDoc: CAxConnection::Open\n[SQLSTATE 08001]"));
    EXPECT_THAT(refused, HasSubstr("Connection refused"));

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

TEST_F(OdbcConnectionLoss, ASessionWhoseServerProcessIsGoneRefusesEveryLaterCallClearly) {
    dbAx::provider::OdbcBackend backend;
    std::unique_ptr<dbAx::provider::Session> session;
    dbAx::provider::ErrorMessages errors;
    ASSERT_EQ(backend.Connect(server_.dataSource, server_.user, server_.password, &session, errors), kfx::S_OK);
    const std::string selection = "SELECT * FROM " + schema_->Library() + ".AIP33 WHERE 1=0";
    dbAx::provider::TableDescription lines;
    ASSERT_EQ(session->Describe(selection, &lines, errors), kfx::S_OK);
    std::vector<std::optional<std::string>> row(lines.columns.size());
    row[1] = "INV0001";

    AdminConnection admin(server_);
    TerminateOtherConnections(admin);
    EXPECT_EQ(session->Insert(lines, row, errors), platform::E_ADO_CONNECTIONFAILED);
    ASSERT_FALSE(errors.empty());
    EXPECT_THAT(errors.back(), StartsWith("The connection to data source '" + server_.dataSource + "' is lost"));

    for (int call = 0; call < 2; ++call) {
        errors.clear();
        EXPECT_EQ(session->Insert(lines, row, errors), platform::E_ADO_CONNECTIONFAILED);
        EXPECT_EQ(session->Describe(selection, &lines, errors), platform::E_ADO_CONNECTIONFAILED);
        ASSERT_EQ(errors.size(), 2u);
        EXPECT_THAT(errors[0], StartsWith("The connection to data source '" + server_.dataSource +
                                          "' was lost earlier ([SQLSTATE "));
        EXPECT_EQ(errors[1], errors[0]);
    }
    session.reset();

    errors.clear();
    ASSERT_EQ(backend.Connect(server_.dataSource, server_.user, server_.password, &session, errors), kfx::S_OK);
    ASSERT_EQ(session->Describe(selection, &lines, errors), kfx::S_OK);
    EXPECT_EQ(session->Insert(lines, row, errors), kfx::S_OK) << ::testing::PrintToString(errors);
    EXPECT_EQ(schema_->RowCount("AIP33"), 1u);
}

}  // namespace
}  // namespace odbctest
