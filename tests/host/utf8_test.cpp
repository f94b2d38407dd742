#include "host/utf8.h"

#include <gtest/gtest.h>

namespace kfx {
namespace {

TEST(Utf8, RoundTripsEveryPlane) {
    const Text text = u"Invoice Müller ł 請求書 \U0001F600 end";
    EXPECT_EQ(ToUtf8(text), "Invoice M\xC3\xBCller \xC5\x82 \xE8\xAB\x8B\xE6\xB1\x82\xE6\x9B\xB8 \xF0\x9F\x98\x80 end");
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
}

TEST(Utf8, ReplacesWhatCannotBeConverted) {
    EXPECT_EQ(ToUtf8(Text(1, char16_t(0xD800)) + u"a"), "\xEF\xBF\xBD" "a");
    EXPECT_EQ(FromUtf8("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(FromUtf8("\xC3"), u"\uFFFD");          // cut short
    EXPECT_EQ(FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong
}

TEST(Utf8, StrictConversionRefusesUnpairedSurrogatesOnly) {
    const Text wellFormed = u"Müller 請求書 \U0001F600";
    EXPECT_EQ(StrictUtf8(wellFormed), ToUtf8(wellFormed));
    EXPECT_EQ(StrictUtf8(u""), "");
    for (const Text& text : {Text(1, char16_t(0xD800)), u"a" + Text(1, char16_t(0xDFFF)),
                             Text(1, char16_t(0xDBFF)) + u"a", Text(1, char16_t(0xDC00)) + char16_t(0xD800)}) {
        EXPECT_EQ(StrictUtf8(text), std::nullopt) << ToUtf8(text);
    }
}

}  // namespace
}  // namespace kfx
