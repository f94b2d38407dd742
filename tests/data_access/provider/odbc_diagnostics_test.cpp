#include <gtest/gtest.h>

#include "data_access/provider/odbc_diagnostics.h"

namespace dbAx::provider {
namespace {

// An empty line in an error's text separates its records, so a driver's
// message must bring none of its own.
TEST(OdbcDiagnostics, ADriversMessageKeepsItsLinesButNoEmptyOne) {
    const struct {
        const char* message;
        const char* text;
    } cases[] = {
        {"Can't connect to server on '127.0.0.1' (111)", "Can't connect to server on '127.0.0.1' (111)"},
        {"server closed the connection unexpectedly\n\tThis probably means the server terminated abnormally\n",
         "server closed the connection unexpectedly\n\tThis probably means the server terminated abnormally"},
        {"could not send query\n\nno connection to the server\n\n",
         "could not send query\nno connection to the server"},
        {"\nLost connection to server during query", "Lost connection to server during query"},
        {"first\r\n \t\r\nsecond\r\n", "first\nsecond"},
        {"trailing blanks  \n", "trailing blanks"},
        {"\n\n", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(DriverMessageText(c.message), c.text) << c.message;
}

TEST(OdbcDiagnostics, ARecordNamesItsStateAndNativeCode) {
    EXPECT_EQ(DiagnosticText({"08S01", 2013, "Lost connection to server during query"}),
              "[SQLSTATE 08S01] (native 2013) Lost connection to server during query");
}

}  // namespace
}  // namespace dbAx::provider
