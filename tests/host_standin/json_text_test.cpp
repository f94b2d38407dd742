#include <gtest/gtest.h>

#include <string>

#include "host_standin/json_text.h"

namespace standin {
namespace {

std::string Nested(int levels, const std::string& inside = "") {
    return std::string(levels, '[') + inside + std::string(levels, ']');
}

// An object of that many members "0": 0, "1": 0, ... on one line.
std::string ObjectOf(int members) {
    std::string text = "{";
    for (int i = 0; i < members; ++i) text += (i ? ", \"" : "\"") + std::to_string(i) + "\": 0";
    return text + "}";
}

TEST(JsonTextTest, AcceptsWhatTheFormatsCanHold) {
    EXPECT_EQ(ParseJsonText(Nested(kJsonNestingLimit)).dump(), Nested(kJsonNestingLimit));
    EXPECT_EQ(ParseJsonText("[18446744073709551615, -9223372036854775808, 1e308, -1e308, 4e-320, 0e-999]").size(),
              6u);
    EXPECT_EQ(ParseJsonText(R"({"[[[[": "1e400 -1e-400 {{{{"})").dump(), R"({"[[[[":"1e400 -1e-400 {{{{"})")
        << "brackets and numbers inside texts are text";
    EXPECT_EQ(ParseJsonText(ObjectOf(kJsonMemberLimit)).size(), 1000u);
    EXPECT_EQ(ParseJsonText("[" + ObjectOf(kJsonMemberLimit) + ", " + ObjectOf(kJsonMemberLimit) + "]").size(), 2u)
        << "the members are counted per object";
    std::string longList = "[0";
    for (int i = 1; i < 10 * kJsonMemberLimit; ++i) longList += ",0";
    EXPECT_EQ(ParseJsonText(longList + "]").size(), 10'000u) << "a list has no such limit";
    const std::string escapedQuote = R"(["\"[[", 1])";
    EXPECT_EQ(ParseJsonText(escapedQuote).size(), 2u) << "an escaped quote does not end the text";
}

struct Refused {
    const char* name;
    std::string text;
    std::size_t line;
    std::size_t column;
    std::string problem;
};

void PrintTo(const Refused& refused, std::ostream* out) { *out << refused.name; }

class RefusedJsonTest : public ::testing::TestWithParam<Refused> {};

TEST_P(RefusedJsonTest, NamesThePlaceAndTheProblem) {
    try {
        ParseJsonText(GetParam().text);
        FAIL() << "accepted";
    } catch (const JsonTextError& error) {
        EXPECT_EQ(error.what(), GetParam().problem);
        EXPECT_EQ(error.Line(), GetParam().line);
        EXPECT_EQ(error.Column(), GetParam().column);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RefusedJsonTest,
    ::testing::Values(
        Refused{"HugeNumber", "{\"a\": 1e400}", 1, 7, "number out of range: 1e400"},
        Refused{"HugeNegativeNumber", "[\n  -1e400]", 2, 3, "number out of range: -1e400"},
        Refused{"TinyNumber", "[1e-400]", 1, 2, "number out of range: 1e-400"},
        Refused{"WholeNumberBeyond64Bits", "[18446744073709551616]", 1, 2,
                "number out of range: 18446744073709551616"},
        Refused{"NegativeWholeNumberBeyond64Bits", "[-9223372036854775809]", 1, 2,
                "number out of range: -9223372036854775809"},
        Refused{"LongNumberExcerpted", "[1" + std::string(400, '0') + "]", 1, 2,
                "number out of range: 1" + std::string(39, '0') + "…"},
        Refused{"OneLevelTooDeep", Nested(kJsonNestingLimit + 1), 1, 65, "nested deeper than 64 levels"},
        Refused{"ObjectsTooDeep", std::string(70, '{'), 1, 65, "nested deeper than 64 levels"},
        Refused{"HundredThousandLevels", Nested(100'000), 1, 65, "nested deeper than 64 levels"},
        Refused{"ObjectWithTooManyMembers", ObjectOf(kJsonMemberLimit + 1),
                1, ObjectOf(kJsonMemberLimit).size(), "an object with more than 1000 members"},
        Refused{"LongTokenExcerpted", "[\"" + std::string(5000, 'k') + "\xff\"]", 1, 5003,
                "syntax error while parsing value - invalid string: ill-formed UTF-8 byte; last read: '\"" +
                    std::string(39, 'k') + "…'"},
        Refused{"InvalidByteEscaped", "{\"a\xff\": 1}", 1, 4,
                "syntax error while parsing object key - invalid string: ill-formed UTF-8 byte; last read: "
                "'\"a\\xff'; expected string literal"}),
    [](const ::testing::TestParamInfo<Refused>& info) { return std::string(info.param.name); });

TEST(JsonTextTest, MemberPathQuotesAnOddOrLongKeyAsAnExcerpt) {
    EXPECT_EQ(MemberPath("documents[0]", "indexFields"), "documents[0].indexFields");
    EXPECT_EQ(MemberPath("", "formatVersion"), "formatVersion");
    EXPECT_EQ(MemberPath("indexFields", "Invoice No"), R"(indexFields["Invoice No"])");
    EXPECT_EQ(MemberPath("indexFields", "a\x1b[2Jb"), R"(indexFields["a\x1b[2Jb"])");
    EXPECT_EQ(MemberPath("x", std::string(12'600'000, 'k')), "x[\"" + std::string(40, 'k') + "…\"]");
}

}  // namespace
}  // namespace standin
