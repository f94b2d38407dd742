// What sanitising through ICU does beyond what every converter does: the
// stateful code pages, which ICU converts and the platform's converter
// refuses with sanitising's options, code pages that Wine lacks, and ICU's
// own checks.
#include "data_access/sanitise/sanitise.h"

#include <stdexcept>

#include <gtest/gtest.h>

#include "tests/data_access/sanitise/sanitising_case.h"

namespace dbAx {
namespace {

INSTANTIATE_TEST_SUITE_P(Stateful, Sanitising, testing::Values(
    SanitiseCase{"Iso2022Jp", 50220, u'#', u"株式会社 ABC 한", u"株式会社 ABC #"},
    SanitiseCase{"HalfwidthKatakanaInIso2022Jp", 50220, kNoReplacement, u"ｶﾀｶﾅ", u"カタカナ"},
    SanitiseCase{"Iso2022Kr", 50225, kNoReplacement, u"서울 ABC 東京 ą", u"서울 ABC 東京 a"},
    SanitiseCase{"Hz", 52936, kNoReplacement, u"北京 ABC 한", u"北京 ABC ?"},
    SanitiseCase{"Gb18030HoldsEverything", 54936, u'#', u"北京 한 \U0001F600 ő", u"北京 한 \U0001F600 ő"},
    SanitiseCase{"IsciiDevanagari", 57002, u'#', u"नमस्ते ABC 東", u"नमस्ते ABC #"}), SanitiseCaseName);

// EBCDIC pages of the platform that Wine, where the Windows build is tested,
// does not offer.
INSTANTIATE_TEST_SUITE_P(EbcdicThatWineLacks, Sanitising, testing::Values(
    SanitiseCase{"FullWidthInEbcdic", 1141, kNoReplacement, u"ＡＢＣ１２３ \u0178", u"ABC123 Y"},
    SanitiseCase{"Germany1141", 1141, kNoReplacement, u"Müller & Söhne 123 € 東", u"Müller & Söhne 123 € ?"},
    SanitiseCase{"Germany20273", 20273, u'#', u"Müller & Söhne 123 €", u"Müller & Söhne 123 #"},
    SanitiseCase{"JapaneseMixed50930", 50930, u'#', u"株式€会社 ABC", u"株式#会社 ABC"}), SanitiseCaseName);

// ICU's rules for sequences: a surrogate pair, or a base and its marks without
// a precomposed form, is one character and takes one replacement.
INSTANTIATE_TEST_SUITE_P(Sequences, Sanitising, testing::Values(
    SanitiseCase{"PairWithoutPrecomposedFormReplacedWhole", 1252, u'#', u"O\u030Brs", u"#rs"},
    SanitiseCase{"SurrogatePairIsOneCharacter", 1252, u'#', u"ok \U0001F600!", u"ok #!"},
    SanitiseCase{"EmojiWithVariationSelectorIsOne", 1252, u'#', u"I \u2764\uFE0F it", u"I # it"},
    SanitiseCase{"KoreanWithSurrogatePair", 949, u'#', u"서울특별시 株 \U0001F600", u"서울특별시 株 #"}), SanitiseCaseName);

TEST(IcuSanitisingEncoding, ReplacementByteMustBeACharacterOfThePage) {
    EXPECT_THROW(DefaultCodePageConverter().Encode(u"a東", 20127, 0x80), std::invalid_argument);  // ASCII has no 0x80
    EXPECT_THROW(DefaultCodePageConverter().Encode(u"a東", 932, 0x88), std::invalid_argument);   // a lead byte alone
}

}  // namespace
}  // namespace dbAx
