#include "data_access/sanitise/sanitise.h"

#include <limits>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "host/utf8.h"
#include "tests/data_access/sanitise/sanitising_case.h"

namespace dbAx {
namespace {

TEST_P(Sanitising, GivesTheExpectedText) {
    const SanitiseCase& c = GetParam();
    EXPECT_EQ(SanitiseText(c.input, c.codePage, c.replacementChar), c.expected);
}

INSTANTIATE_TEST_SUITE_P(CodePageZero, Sanitising, testing::Values(
    SanitiseCase{"Latin", 0, kNoReplacement, u"Müller & Söhne", u"Müller & Söhne"},
    SanitiseCase{"AnyReplacement", 0, u'#', u"請求書 \U0001F600", u"請求書 \U0001F600"},
    SanitiseCase{"KeepsNulAndLoneSurrogate", 0, u'#', kfx::Text(u"a\0b", 3) + char16_t(0xD800), kfx::Text(u"a\0b", 3) + char16_t(0xD800)},
    SanitiseCase{"Empty", 0, u'#', u"", u""}), SanitiseCaseName);

INSTANTIATE_TEST_SUITE_P(Windows1252, Sanitising, testing::Values(
    SanitiseCase{"PlainLatinUnchanged", 1252, kNoReplacement, u"Invoice 4711 Acme Ltd", u"Invoice 4711 Acme Ltd"},
    SanitiseCase{"HeldLettersUnchanged", 1252, kNoReplacement, u"Müller Straße 5, 8000 Zürich €12,50 „Café“ – Œuvre",
         u"Müller Straße 5, 8000 Zürich €12,50 „Café“ – Œuvre"},
    SanitiseCase{"IdeographBecomesDefault", 1252, kNoReplacement, u"Tokyo 東京", u"Tokyo ??"},
    SanitiseCase{"IdeographBecomesReplacement", 1252, u'#', u"Tokyo 東京", u"Tokyo ##"},
    SanitiseCase{"DecomposedBecomesPrecomposed", 1252, kNoReplacement, u"Mu\u0308ller", u"Müller"},
    SanitiseCase{"UnholdableReplacementGivesDefault", 1252, u'東', u"a東b\u0101", u"a?ba"},
    SanitiseCase{"ReplacementTakesItsBestFit", 1252, u'\u0142', u"a東b", u"alb"},
    SanitiseCase{"EmptyStaysEmpty", 1252, u'#', u"", u""},
    SanitiseCase{"KeepsNul", 1252, u'#', kfx::Text(u"abc\0d東", 6), kfx::Text(u"abc\0d#", 6)},
    SanitiseCase{"LoneSurrogateReplaced", 1252, u'#', kfx::Text(u"a") + char16_t(0xDC00) + u"b", u"a#b"}), SanitiseCaseName);

INSTANTIATE_TEST_SUITE_P(BestFit, Sanitising, testing::Values(
    SanitiseCase{"LetterWithoutDecomposition", 1252, kNoReplacement, u"Łódź Wałbrzych", u"Lódz Walbrzych"},
    SanitiseCase{"DoubleAcute", 1252, kNoReplacement, u"Őrség Győr", u"Orség Gyor"},
    SanitiseCase{"Macron", 1252, kNoReplacement, u"Rīga Ākāsha", u"Riga Akasha"},
    SanitiseCase{"NoBestFitWhereThePlatformHasNone", 1252, u'#', u"Nguy\u1EC5n \u1EA5", u"Nguy#n #"},
    SanitiseCase{"PlatformsOwnLetter", 1252, kNoReplacement, u"\u01D5ber \u03B1 10\u2070", u"Uber a 10\u00B0"},
    SanitiseCase{"BoxDrawing", 1252, kNoReplacement, u"\u250C\u2500\u253C\u2502", u"+-+\u00A6"},
    SanitiseCase{"SymbolGlyphsOfTheDosPages", 437, kNoReplacement, u"\u263A\u2019", u"\u0001'"},
    SanitiseCase{"LettersOfTheTable", 1250, kNoReplacement, u"Søren Đorđević Ħal ıi", u"Soren Đorđević Hal ii"},
    SanitiseCase{"QuotesAndDashesInEbcdic", 37, kNoReplacement, u"O’Brien “Ltd” – 10−2", u"O?Brien ?Ltd? ? 10?2"},
    SanitiseCase{"CompatibilityForms", 1252, kNoReplacement, u"ＡＢＣ１２３ ｶ", u"ABC123 ?"},
    SanitiseCase{"NonBreakingSpaceInAscii", 20127, kNoReplacement, u"12\u00A0500 Müller", u"12 500 Muller"},
    SanitiseCase{"VietnameseComposesWhatItHolds", 1258, kNoReplacement, u"\u1EA5 a\u0301 e\u0302\u0301", u"? \u00E1 \u00EA\u0301"},
    SanitiseCase{"HeldCombiningMarksUnchanged", 874, kNoReplacement, u"ภาษาไทย น้ำ", u"ภาษาไทย น้ำ"}), SanitiseCaseName);

INSTANTIATE_TEST_SUITE_P(Ebcdic, Sanitising, testing::Values(
    SanitiseCase{"Us37", 37, kNoReplacement, u"Müller & Söhne 123 €", u"Müller & Söhne 123 ?"},
    SanitiseCase{"International500", 500, u'#', u"Müller & Söhne 123 €", u"Müller & Söhne 123 #"}), SanitiseCaseName);

INSTANTIATE_TEST_SUITE_P(DoubleByte, Sanitising, testing::Values(
    SanitiseCase{"JapaneseUnchanged", 932, kNoReplacement, u"株式会社テスト 東京都千代田区1-2-3 ｶﾀｶﾅ", u"株式会社テスト 東京都千代田区1-2-3 ｶﾀｶﾅ"},
    SanitiseCase{"UnmappableBecomesReplacement", 932, u'#', u"株式会社 한국", u"株式会社 ##"},
    SanitiseCase{"DoubleByteReplacementDropped", 932, u'株', u"会社 한", u"会社 ?"},
    SanitiseCase{"SimplifiedChinese", 936, kNoReplacement, u"北京市朝阳区 发票", u"北京市朝阳区 发票"},
    SanitiseCase{"Korean", 949, u'#', u"서울특별시 株 \u0E01", u"서울특별시 株 #"},
    SanitiseCase{"TraditionalChinese", 950, kNoReplacement, u"臺北市 發票 ł", u"臺北市 發票 ?"}), SanitiseCaseName);

INSTANTIATE_TEST_SUITE_P(Unicode, Sanitising, testing::Values(
    SanitiseCase{"Utf16Le", 1200, u'#', u"Müller 東京 \U0001F600", u"Müller 東京 \U0001F600"},
    SanitiseCase{"Utf16Be", 1201, u'#', u"Müller 東京 \U0001F600", u"Müller 東京 \U0001F600"},
    SanitiseCase{"Utf32Le", 12000, u'#', u"Müller 東京 \U0001F600", u"Müller 東京 \U0001F600"},
    SanitiseCase{"Utf32Be", 12001, u'#', u"Müller 東京 \U0001F600", u"Müller 東京 \U0001F600"},
    SanitiseCase{"Utf7", 65000, u'#', u"Müller 東京 \U0001F600", u"Müller 東京 \U0001F600"},
    SanitiseCase{"Utf8", 65001, u'#', u"Mu\u0308ller 東京 \U0001F600", u"Mu\u0308ller 東京 \U0001F600"},
    SanitiseCase{"Utf8KeepsNul", 65001, kNoReplacement, kfx::Text(u"abc\0def", 7), kfx::Text(u"abc\0def", 7)}), SanitiseCaseName);

TEST(SanitisingEncoding, EbcdicDefaultCharacterIsTheQuestionMarkOfThePage) {
    // 0x3F would be a control character in EBCDIC.
    EXPECT_EQ(DefaultCodePageConverter().Encode(u"東", 37, std::nullopt), "\x6F");
    EXPECT_EQ(DefaultCodePageConverter().Encode(u"東", 1252, std::nullopt), "\x3F");
}

TEST(SanitisingEncoding, ReplacementByteStandsInForLackingCharacters) {
    EXPECT_EQ(DefaultCodePageConverter().Encode(u"a東", 1252, 0x23), "a#");
}

TEST(SanitisingEncoding, UnusableCodePageIsRefusedByTheConverterToo) {
    EXPECT_THROW(DefaultCodePageConverter().Encode(u"a", 99999, std::nullopt), UnusableCodePage);
    EXPECT_THROW(DefaultCodePageConverter().Decode("a", 709), UnusableCodePage);
}

TEST(UnusableCodePages, AreRefusedWithAClearMessage) {
    for (const std::uint32_t codePage : {99999u, 0x7FFFFFFFu, 709u}) {
        SCOPED_TRACE(codePage);
        const auto problem = CodePageProblem(codePage);
        ASSERT_TRUE(problem.has_value());
        EXPECT_EQ(*problem, UnusableCodePageMessage(codePage));
        try {
            SanitiseText(u"Müller", codePage, u'#');
            ADD_FAILURE() << "no exception";
        } catch (const UnusableCodePage& failure) {
            EXPECT_EQ(failure.CodePage(), codePage);
            EXPECT_EQ(failure.Message(), *problem);
        }
    }
}

TEST(UnusableCodePages, MessageNamesTheNumberAndTheWayOut) {
    EXPECT_EQ(UnusableCodePageMessage(99999),
              u"Code page 99999 cannot be used for sanitising: it is not a code page this system can convert to. "
              u"Set \"SanitiseCodepage\" to a supported code page, or to 0 to turn sanitising off.");
    EXPECT_STREQ(UnusableCodePage(2147483647).what(),
                 "Code page 2147483647 cannot be used for sanitising: it is not a code page this system can convert to. "
                 "Set \"SanitiseCodepage\" to a supported code page, or to 0 to turn sanitising off.");
}

TEST(UnusableCodePages, AreNamedAsTheSettingGivesThem) {
    const std::int64_t cases[] = {-1, -1252, std::numeric_limits<std::int32_t>::min(), 2147483647, 4294967295};
    for (const std::int64_t codePage : cases) {
        EXPECT_EQ(CodePageProblem(codePage),
                  u"Code page " + kfx::FromUtf8(std::to_string(codePage)) +
                      u" cannot be used for sanitising: it is not a code page this system can convert to. "
                      u"Set \"SanitiseCodepage\" to a supported code page, or to 0 to turn sanitising off.");
    }
    // Beyond every 32-bit code page: nothing that wraps around to a usable one.
    EXPECT_NE(CodePageProblem(4294967296 + 1252), std::nullopt);
}

TEST(UnusableCodePages, UsableOnesHaveNoProblem) {
    for (const std::uint32_t codePage : {0u, 1252u, 37u, 932u, 65001u, 1200u}) {
        EXPECT_EQ(CodePageProblem(codePage), std::nullopt) << codePage;
    }
}

TEST(SanitisingThreads, ConcurrentCallsGiveCorrectResults) {
    struct Work {
        std::uint32_t codePage;
        kfx::Text input;
        kfx::Text expected;
    };
    const std::vector<Work> work = {
        {1252, u"Łódź 東", u"Lódz ?"},
        {37, u"Müller € Söhne", u"Müller ? Söhne"},
        {932, u"株式会社 한", u"株式会社 ?"},
        {1250, u"Łódź 東", u"Łódź ?"},
        {500, u"INV-2024-000153 Müller", u"INV-2024-000153 Müller"},
    };
    std::vector<std::thread> threads;
    std::vector<int> mismatches(work.size(), 0);
    for (std::size_t t = 0; t < work.size(); ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 300; ++round) {
                // Each thread visits every code page, so converters are shared.
                const Work& w = work[(t + static_cast<std::size_t>(round)) % work.size()];
                if (SanitiseText(w.input, w.codePage, 0) != w.expected) ++mismatches[t];
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (const int count : mismatches) EXPECT_EQ(count, 0);
}

}  // namespace
}  // namespace dbAx
