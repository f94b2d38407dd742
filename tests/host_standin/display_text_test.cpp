#include <gtest/gtest.h>

#include <string>

#include "host_standin/display_text.h"

namespace standin {
namespace {

struct Shown {
    const char* name;
    std::string text;
    std::string display;
};

void PrintTo(const Shown& shown, std::ostream* out) { *out << shown.name; }

class DisplayTextTest : public ::testing::TestWithParam<Shown> {};

TEST_P(DisplayTextTest, ShowsTheTextWithNothingATerminalActsOn) {
    EXPECT_EQ(DisplayText(GetParam().text), GetParam().display);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DisplayTextTest,
    ::testing::Values(Shown{"PlainAndUnicodeUnchanged", "Łódź 六角螺栓 M6 \"x\" C:\\in", "Łódź 六角螺栓 M6 \"x\" C:\\in"},
                      Shown{"LineBreaksAndTab", "a\nb\r\nc\td", "a\\nb\\r\\nc\\td"},
                      Shown{"EscapeSequence", "\x1b[31mred\x1b[0m", "\\x1b[31mred\\x1b[0m"},
                      Shown{"NulAndDelete", std::string("a\0b\x7f", 4), "a\\x00b\\x7f"},
                      Shown{"InvalidBytes", "a\xff\xfe" "b", "a\\xff\\xfeb"},
                      Shown{"TruncatedSequence", "\xe5\x85", "\\xe5\\x85"},
                      Shown{"OverlongSlash", "\xc0\xaf", "\\xc0\\xaf"},
                      Shown{"EncodedSurrogate", "\xed\xa0\x80", "\\xed\\xa0\\x80"},
                      Shown{"BeyondUnicode", "\xf4\x90\x80\x80", "\\xf4\\x90\\x80\\x80"},
                      Shown{"C1Control", "a\xc2\x85" "b", "a\\u0085b"},
                      Shown{"BidirectionalOverride", "abc\xe2\x80\xae" "fdp.exe", "abc\\u202efdp.exe"},
                      Shown{"LineSeparator", "a\xe2\x80\xa8" "b", "a\\u2028b"}),
    [](const ::testing::TestParamInfo<Shown>& info) { return std::string(info.param.name); });

class ExcerptTest : public ::testing::TestWithParam<Shown> {};

TEST_P(ExcerptTest, QuotesAtMostFortyCharactersEscaped) { EXPECT_EQ(Excerpt(GetParam().text), GetParam().display); }

INSTANTIATE_TEST_SUITE_P(
    Texts, ExcerptTest,
    ::testing::Values(Shown{"ShortWhole", "Invoice No", "Invoice No"},
                      Shown{"FortyWhole", std::string(40, 'k'), std::string(40, 'k')},
                      Shown{"FortyOneCut", std::string(41, 'k'), std::string(40, 'k') + "…"},
                      Shown{"HugeCut", std::string(12'600'000, 'k'), std::string(40, 'k') + "…"},
                      Shown{"CountsCharactersNotBytes", std::string(20, 'x') + "ąąąąąąąąąąąąąąąąąąąąą",
                            std::string(20, 'x') + "ąąąąąąąąąąąąąąąąąąąą…"},
                      Shown{"EscapesWithinTheExcerpt", "\n\xff" + std::string(50, 'k'),
                            "\\n\\xff" + std::string(38, 'k') + "…"},
                      Shown{"NeverSplitsASequence", std::string(39, 'k') + "名前", std::string(39, 'k') + "名…"}),
    [](const ::testing::TestParamInfo<Shown>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace standin
