#include <gtest/gtest.h>

#include "data_access/provider/odbc_insert.h"
#include "data_access/provider/odbc_type_text.h"

namespace dbAx::provider {
namespace {

struct Quoted {
    const char* name;
    const char* quote;
    const char* delimited;
};

TEST(OdbcIdentifier, IsQuotedWithTheDriversQuoteWhichInsideTheNameIsDoubled) {
    const Quoted cases[] = {
        {"AIP32", "\"", "\"AIP32\""},  {"a\"b", "\"", "\"a\"\"b\""}, {"AIP32", "`", "`AIP32`"},
        {"a`b\"c", "`", "`a``b\"c`"}, {"AIP32", "", "AIP32"},         {"", "\"", "\"\""},
    };
    for (const Quoted& c : cases) EXPECT_EQ(DelimitedIdentifier(c.name, c.quote), c.delimited) << c.name << c.quote;
}

TEST(OdbcTypeText, NamesTheTypeTheDriverReportedAndTheNumberOfOneItDoesNotKnow) {
    EXPECT_EQ(OdbcTypeText(SQL_VARCHAR), "SQL_VARCHAR (12)");
    EXPECT_EQ(OdbcTypeText(SQL_WVARCHAR), "SQL_WVARCHAR (-9)");
    EXPECT_EQ(OdbcTypeText(SQL_TYPE_TIMESTAMP), "SQL_TYPE_TIMESTAMP (93)");
    EXPECT_EQ(OdbcTypeText(-150), "-150");
}

}  // namespace
}  // namespace dbAx::provider
