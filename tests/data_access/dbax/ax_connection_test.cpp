#include <gtest/gtest.h>

#include <algorithm>

#include "data_access/ax_connection.h"
#include "data_access/ax_library.h"
#include "data_access/destruction_failure.h"
#include "host/utf8.h"
#include "tests/support/database_fixture.h"
#include "tests/support/com_error_text.h"

namespace dbAx {
namespace {

using Connections = testsupport::DatabaseFixture;

bool Listed(const CAxConnection& connection) {
    const auto& list = library::Connections();
    return std::find(list.begin(), list.end(), &connection) != list.end();
}

int CallsOf(const fault::FaultPlan& plan, const std::string& name) {
    return static_cast<int>(std::count(plan.Calls().begin(), plan.Calls().end(), name));
}

// Collects what destruction could not raise.
class DestructionFailures {
public:
    DestructionFailures()
        : previous_(SetDestructionFailureHandler([this](const CAxException& e) { failures.push_back(e); })) {}
    ~DestructionFailures() { SetDestructionFailureHandler(previous_); }
    std::vector<CAxException> failures;

private:
    DestructionFailureHandler previous_;
};

TEST_F(Connections, OpenConnectsAndDestructionClosesAndUnlists) {
    {
        CAxConnection connection;
        EXPECT_FALSE(Listed(connection));
        connection.Create();
        EXPECT_TRUE(Listed(connection));
        EXPECT_EQ(connection.CursorLocation(3), 3);
        connection.Open(ConnectionText(), u"user", u"secret");
        EXPECT_EQ(connection.ConnectionText(), ConnectionText());
    }
    EXPECT_EQ(CallsOf(plan_, "Connection.Close"), 1);
    EXPECT_TRUE(library::Connections().empty());
}

TEST_F(Connections, AFailedCreateRaisesInitialisationFailureAndListsNothing) {
    plan_.Add({"Environment.CreateConnection", 1, kfx::HR_E_OUTOFMEMORY});
    CAxConnection connection;
    try {
        connection.Create();
        FAIL() << "nothing raised";
    } catch (const CAxException& error) {
        EXPECT_EQ(error.code, 5001);
        EXPECT_EQ(error.description,
                  u"The dbAx Library failed to initialize" + testsupport::ComErrorLine(kfx::HR_E_OUTOFMEMORY) +
                      u"\nSource: CAxConnection::Create");
    }
    EXPECT_FALSE(Listed(connection));
    EXPECT_EQ(connection.PlatformConnection(), nullptr);
}

TEST_F(Connections, AFailedOpenCarriesTheDatabasesOwnWords) {
    CAxConnection connection;
    connection.Create();
    try {
        connection.Open(u"Provider=IBMDA400;Data source=sqlite:" + DataSource() + u"/missing;", u"", u"");
        FAIL() << "nothing raised";
    } catch (const CAxException& error) {
        EXPECT_TRUE(error.description.starts_with(u"CAxConnection::Open\n")) << kfx::ToUtf8(error.description);
        EXPECT_NE(error.description.find(u"does not exist"), Text::npos) << kfx::ToUtf8(error.description);
        EXPECT_NE(error.description.find(u"\nCOM Error: "), Text::npos);
    }
    EXPECT_TRUE(Listed(connection));  // it stays created and listed
}

TEST_F(Connections, AnEmptyConnectionTextReusesTheOneGivenBefore) {
    plan_.Add({"Connection.Open", 1, kfx::HR_E_FAIL, {Record(1, u"refused once")}});
    CAxConnection connection;
    connection.Create();
    EXPECT_THROW(connection.Open(ConnectionText(), u"", u""), CAxException);
    connection.Open(u"", u"", u"");
    EXPECT_EQ(connection.ConnectionText(), ConnectionText());
    EXPECT_EQ(CallsOf(plan_, "Connection.Open"), 2);
}

TEST_F(Connections, CursorLocationFailuresNameTheOperation) {
    for (const char* call : {"Connection.SetCursorLocation", "Connection.CursorLocation"}) {
        plan_.Reset();
        plan_.Add({call, 1, kfx::HR_E_FAIL});
        CAxConnection connection;
        connection.Create();
        try {
            connection.CursorLocation(3);
            ADD_FAILURE() << call;
        } catch (const CAxException& error) {
            EXPECT_EQ(error.description, u"CAxConnection::CursorLocation" + testsupport::ComErrorLine(kfx::HR_E_FAIL)) << call;
        }
    }
}

TEST_F(Connections, AConnectionNeverOpenedIsReleasedWithoutClose) {
    {
        CAxConnection connection;
        connection.Create();
    }
    EXPECT_EQ(CallsOf(plan_, "Connection.State"), 1);
    EXPECT_EQ(CallsOf(plan_, "Connection.Close"), 0);
}

struct CloseFault {
    const char* call;
    const char16_t* description;
};

TEST_F(Connections, AFailedCloseIsRaisedByDisposeAndTheConnectionStillGoes) {
    for (const CloseFault& fault : {CloseFault{"Connection.State", u"CAxConnection::_IsOpen\ndisk gone"},
                                    CloseFault{"Connection.Close", u"CAxConnection::Close\ndisk gone"}}) {
        plan_.Reset();
        CAxConnection connection;
        connection.Create();
        connection.Open(ConnectionText(), u"", u"");
        plan_.Add({fault.call, 1, static_cast<HRESULT>(0x80040E21), {Record(9, u"disk gone")}});
        try {
            connection.Dispose();
            ADD_FAILURE() << fault.call;
        } catch (const CAxException& error) {
            EXPECT_EQ(error.description, Text(fault.description) + u"\nCOM Error: IDispatch error #3105");
        }
        EXPECT_FALSE(Listed(connection));
        EXPECT_EQ(connection.PlatformConnection(), nullptr);
    }
}

TEST_F(Connections, DestructionNeverThrowsAndHandsTheFailureOn) {
    DestructionFailures seen;
    {
        CAxConnection connection;
        connection.Create();
        connection.Open(ConnectionText(), u"", u"");
        plan_.Add({"Connection.Close", 1, kfx::HR_E_FAIL});
    }
    ASSERT_EQ(seen.failures.size(), 1u);
    EXPECT_EQ(seen.failures[0].description, u"CAxConnection::Close" + testsupport::ComErrorLine(kfx::HR_E_FAIL));
    EXPECT_TRUE(library::Connections().empty());
}

class Library : public testsupport::DatabaseFixture {
protected:
    ~Library() override {
        try {
            AxLibClose();
        } catch (const CAxException&) {
        }
    }
};

TEST_F(Library, StartsOnceAndStopsOnce) {
    AxLibClose();  // without a start: nothing
    EXPECT_FALSE(library::Initialised());
    AxLibInit();
    AxLibInit();
    EXPECT_TRUE(library::Initialised());
    EXPECT_EQ(CallsOf(plan_, "Environment.Initialize"), 1);
    AxLibClose();
    EXPECT_FALSE(library::Initialised());
}

TEST_F(Library, AFailedStartRaisesWithItsSource) {
    plan_.Add({"Environment.Initialize", 1, kfx::HR_E_UNEXPECTED});
    try {
        AxLibInit();
        FAIL() << "nothing raised";
    } catch (const CAxException& error) {
        EXPECT_EQ(error.code, 5001);
        EXPECT_EQ(error.description,
                  u"The dbAx Library failed to initialize" + testsupport::ComErrorLine(kfx::HR_E_UNEXPECTED) +
                      u"\nSource: AxLibInit - COM Initialization.");
    }
    EXPECT_FALSE(library::Initialised());
}

TEST_F(Library, StopClosesEveryOpenConnection) {
    AxLibInit();
    CAxConnection open, created;
    open.Create();
    open.Open(ConnectionText(), u"", u"");
    created.Create();
    AxLibClose();
    EXPECT_EQ(CallsOf(plan_, "Connection.Close"), 1);
    EXPECT_TRUE(library::Connections().empty());
    EXPECT_FALSE(library::Initialised());
}

TEST_F(Library, AFailedCloseAtStopLeavesTheLibraryStarted) {
    AxLibInit();
    CAxConnection connection;
    connection.Create();
    connection.Open(ConnectionText(), u"", u"");
    plan_.Add({"Connection.Close", 1, kfx::HR_E_FAIL});
    try {
        AxLibClose();
        FAIL() << "nothing raised";
    } catch (const CAxException& error) {
        EXPECT_EQ(error.description, u"CAxConnection::Close" + testsupport::ComErrorLine(kfx::HR_E_FAIL));
    }
    EXPECT_TRUE(library::Initialised());
    EXPECT_EQ(library::Connections().size(), 1u);
}

}  // namespace
}  // namespace dbAx
