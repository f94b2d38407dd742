// What the platform's converter does that ICU does not: it refuses the stateful
// code pages with sanitising's options, so sanitising into them is refused
// with the message of any unusable code page; it converts Johab; and it
// replaces the two units of a surrogate pair one by one.
#include "data_access/sanitise/sanitise.h"

#include <gtest/gtest.h>

#include "tests/data_access/sanitise/sanitising_case.h"

namespace dbAx {
namespace {

TEST(PlatformSanitising, StatefulCodePagesAreRefusedWithTheUnusableCodePageMessage) {
    for (const std::uint32_t codePage : {50220u, 50221u, 50222u, 50225u, 52936u, 57002u, 57011u}) {
        SCOPED_TRACE(codePage);
        EXPECT_EQ(DefaultCodePageConverter().UseOf(codePage), CodePageUse::Unusable);
        EXPECT_EQ(CodePageProblem(codePage), UnusableCodePageMessage(codePage));
        EXPECT_THROW(SanitiseText(u"株式会社", codePage, u'#'), UnusableCodePage);
    }
}

INSTANTIATE_TEST_SUITE_P(Johab, Sanitising, testing::Values(
    SanitiseCase{"HangulUnchanged", 1361, kNoReplacement, u"서울특별시 ABC", u"서울특별시 ABC"},
    SanitiseCase{"ThaiBecomesReplacement", 1361, u'#', u"서울 \u0E01", u"서울 #"}), SanitiseCaseName);

// The platform converts a surrogate pair unit by unit: each takes a replacement.
INSTANTIATE_TEST_SUITE_P(SurrogatePairs, Sanitising, testing::Values(
    SanitiseCase{"EachUnitReplaced", 1252, u'#', u"ok \U0001F600!", u"ok ##!"},
    SanitiseCase{"InADoubleBytePage", 949, u'#', u"서울 \U0001F600", u"서울 ##"}), SanitiseCaseName);

}  // namespace
}  // namespace dbAx
