#include <gtest/gtest.h>

#include "data_access/ax_connection.h"
#include "data_access/ax_exception.h"
#include "data_access/result_text.h"
#include "tests/support/database_fixture.h"
#include "tests/support/com_error_text.h"

namespace dbAx {
namespace {

CAxException Raised(std::int32_t code, const Text& source, HRESULT result) {
    try {
        RaiseAxError(code, source, result);
    } catch (const CAxException& error) {
        return error;
    }
    ADD_FAILURE() << "nothing raised";
    return {};
}

TEST(ResultText, FallsBackToTheTwoFormats) {
    EXPECT_EQ(ResultText(static_cast<HRESULT>(0x80040E21)), u"IDispatch error #3105");
    EXPECT_EQ(ResultText(static_cast<HRESULT>(0x80040201)), u"IDispatch error #1");
    // The first code of the range has no difference to show.
    EXPECT_EQ(ResultText(static_cast<HRESULT>(0x80040200)), u"Unknown error 0x80040200");
    EXPECT_EQ(ResultText(static_cast<HRESULT>(0x800A0E78)), u"Unknown error 0x800A0E78");
    EXPECT_EQ(ResultText(0x1234), u"Unknown error 0x1234");
}

struct FixedCase {
    std::int32_t code;
    const char16_t* text;
};

TEST(RaiseAxError, GivesEachCodeItsFixedTextWithTheAppendices) {
    const FixedCase cases[] = {
        {5001, u"The dbAx Library failed to initialize"},
        {5002, u"The specified field in the database was not found"},
        {5003, u"The dbAx object is not open"},
        {5004, u"The specified buffer size is too small"},
        {5005, u"Bad or NULL pointer"},
        {5006, u"Invalid enumeration value"},
        {5007, u"Invalid page or record position"},
        {5009, u"The dbAx Library failed to close"},
        {5010, u"Unknown error"},
        {-3, u"Unknown error"},
    };
    for (const FixedCase& c : cases) {
        CAxException plain = Raised(c.code, u"", 0);
        EXPECT_EQ(plain.code, c.code);
        EXPECT_EQ(plain.description, c.text);
        CAxException full = Raised(c.code, u"CAxConnection::Create", kfx::HR_E_FAIL);
        EXPECT_EQ(full.description, Text(c.text) + testsupport::ComErrorLine(kfx::HR_E_FAIL) + u"\nSource: CAxConnection::Create");
        EXPECT_EQ(full.result, kfx::HR_E_FAIL);
    }
}

TEST(RaiseAxError, FormatsAssignmentFailuresWithTheResultInHexadecimal) {
    CAxException zero = Raised(5008, u"X", 0);
    EXPECT_EQ(zero.code, 5008);
    EXPECT_EQ(zero.description, u"X (Error Code: 0x00000000)");
    EXPECT_EQ(Raised(5008, u"Failed", static_cast<HRESULT>(0x80040E21)).description,
              u"Failed (Error Code: 0x80040e21)");
}

TEST(RaiseAxError, WithoutRecordsAPlatformFailureIsItsSourceAndResult) {
    CAxException error = Raised(0, u"CAxRecordset::Open", 0);
    EXPECT_EQ(error.code, 0);
    EXPECT_EQ(error.description, u"CAxRecordset::Open");
    EXPECT_EQ(Raised(0, u"CAxRecordset::Open", kfx::HR_E_FAIL).description,
              u"CAxRecordset::Open" + testsupport::ComErrorLine(kfx::HR_E_FAIL));
}

// Connections whose error records the platform fills on demand.
class ErrorFolding : public testsupport::DatabaseFixture {
protected:
    // Makes the connection's next cursor-location call fail with these records.
    void GiveRecords(CAxConnection& connection, std::vector<platform::ErrorRecord> records) {
        plan_.Add({"Connection.SetCursorLocation", 0, kfx::HR_E_FAIL, std::move(records)});
        platform::Connection* platformConnection = connection.PlatformConnection();
        EXPECT_TRUE(kfx::Failed(platformConnection->SetCursorLocation(3)));
        plan_.Reset();
    }
};

TEST_F(ErrorFolding, FoldsEveryRecordSeparatedByAnEmptyLine) {
    CAxConnection connection;
    connection.Create();
    GiveRecords(connection, {Record(-101, u"first"), Record(-202, u"second")});
    CAxException error = Raised(0, u"CAxConnection::Open", kfx::HR_E_FAIL);
    EXPECT_EQ(error.description, u"CAxConnection::Open\nfirst\n\nsecond" + testsupport::ComErrorLine(kfx::HR_E_FAIL));
    EXPECT_EQ(error.code, -202);
    // The records were cleared: a second raise does not repeat them.
    EXPECT_EQ(Raised(0, u"CAxConnection::Open", 0).description, u"CAxConnection::Open");
}

TEST_F(ErrorFolding, WithoutASourceTheTextStartsWithTheRecord) {
    CAxConnection connection;
    connection.Create();
    GiveRecords(connection, {Record(42, u"only")});
    CAxException error = Raised(0, u"", 0);
    EXPECT_EQ(error.description, u"\nonly");
    EXPECT_EQ(error.code, 42);
}

TEST_F(ErrorFolding, TakesTheRecordsOfTheFirstListedConnectionThatHasAny) {
    CAxConnection first, second;
    first.Create();
    second.Create();
    GiveRecords(second, {Record(2, u"of the second")});
    EXPECT_EQ(Raised(0, u"S", 0).description, u"S\nof the second");

    GiveRecords(first, {Record(1, u"of the first")});
    GiveRecords(second, {Record(2, u"still on the second")});
    EXPECT_EQ(Raised(0, u"S", 0).description, u"S\nof the first");
    // Only the first connection's collection was cleared.
    EXPECT_EQ(Raised(0, u"S", 0).description, u"S\nstill on the second");
}

TEST_F(ErrorFolding, ADestroyedConnectionNoLongerContributes) {
    auto connection = std::make_unique<CAxConnection>();
    connection->Create();
    GiveRecords(*connection, {Record(7, u"gone with it")});
    connection.reset();
    EXPECT_EQ(Raised(0, u"S", 0).description, u"S");
}

}  // namespace
}  // namespace dbAx
