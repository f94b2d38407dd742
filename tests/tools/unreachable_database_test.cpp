#include "tools/unreachable_database.h"

#include <gtest/gtest.h>

namespace standin {
namespace {

struct Case {
    const char* message;
    bool unreachable;
};

TEST(UnreachableDatabase, ConnectionFailuresOfEveryDriverCountAndRefusedValuesDoNot) {
    const Case cases[] = {
        {"Error in ReleaseDoc: CAxConnection::Open\n[0x80004005] could not connect", true},
        {"Error Creating AIP33 Record: CAxRecordset::Open\nThe connection to data source 'S21' is lost: nothing "
         "more is written through it",
         true},
        {"The connection to data source 'S21' was lost earlier (timeout)", true},
        // PostgreSQL: connection exceptions are SQLSTATE class 08.
        {"CAxRecordset::Open\n[SQLSTATE 08001] (native 101) could not connect to server", true},
        {"CAxRecordset::Update\n[SQLSTATE 08S01] (native 0) Communication link failure", true},
        // MariaDB reports a refused or broken connection under HY000.
        {"CAxRecordset::Open\n[SQLSTATE HY000] (native 2002) Can't connect to server on '127.0.0.1' (115)", true},
        {"CAxRecordset::Update\n[SQLSTATE HY000] (native 2006) MySQL server has gone away", true},
        {"CAxRecordset::Update\n[SQLSTATE HY000] (native 2013) Lost connection to server during query", true},
        {"Error Updating AIP32: CAxRecordset::Update\n[SQLSTATE 23505] (native 1) duplicate key value", false},
        {"Error in readVariables: Failed to set Field 'INVN32' to value 'INV-20044' (Error Code: 0x80040e21)", false},
        {"Error Creating AIP33 Record: CAxRecordset::Open\n[SQLSTATE 42S02] (native 1146) Table 'aplib.AIP33' "
         "doesn't exist",
         false},
    };
    for (const Case& c : cases) EXPECT_EQ(SaysTheDatabaseIsUnreachable(c.message), c.unreachable) << c.message;
}

}  // namespace
}  // namespace standin
