// Sanitising converts only what the round trip may change, the start of a
// text that it gives back unchanged is kept as it is; the result must be the
// one the whole round trip gives, on every code page offered.
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unicode/utf16.h>

#include "data_access/sanitise/code_page_table.h"
#include "data_access/sanitise/sanitise.h"

namespace dbAx {
namespace {

// The default converter with its conversions counted; when `skipping` is
// off, every text takes the whole round trip.
class CountingConverter final : public CodePageConverter {
public:
    explicit CountingConverter(bool skipping) : skipping_(skipping) {}

    CodePageUse UseOf(std::uint32_t codePage) override { return DefaultCodePageConverter().UseOf(codePage); }
    std::string Encode(std::u16string_view text, std::uint32_t codePage, std::optional<std::uint8_t> replacementByte) override {
        ++encodings;
        return DefaultCodePageConverter().Encode(text, codePage, replacementByte);
    }
    kfx::Text Decode(std::string_view bytes, std::uint32_t codePage) override {
        return DefaultCodePageConverter().Decode(bytes, codePage);
    }
    std::size_t UnchangedStart(std::u16string_view text, std::uint32_t codePage) override {
        return skipping_ ? DefaultCodePageConverter().UnchangedStart(text, codePage) : 0;
    }
    std::size_t UnchangedEnd(std::u16string_view text, std::uint32_t codePage) override {
        return skipping_ ? DefaultCodePageConverter().UnchangedEnd(text, codePage) : 0;
    }

    int encodings = 0;

private:
    bool skipping_;
};

void AppendCodePoint(kfx::Text& text, char32_t c) {
    char16_t units[2];
    int32_t length = 0;
    U16_APPEND_UNSAFE(units, length, static_cast<UChar32>(c));
    text.append(units, static_cast<std::size_t>(length));
}

// Characters of many scripts and kinds: letters the Latin pages hold and
// lack, combining marks, escapes and shifts of the stateful pages, typographic
// punctuation, ideographs, a surrogate pair, lone surrogates and NUL.
std::vector<char32_t> MixedCharacters() {
    std::vector<char32_t> pool;
    for (char32_t c = 0; c < 0x80; ++c) pool.push_back(c);
    for (char32_t c = 0xA0; c < 0x180; ++c) pool.push_back(c);
    for (const char32_t c : {0x0301, 0x0308, 0x030B, 0x0327, 0x0E49, 0x093F, 0x0391, 0x03B1, 0x0416, 0x0436, 0x05D0,
                             0x0627, 0x0E01, 0x0915, 0x0995, 0x1EA5, 0x2013, 0x2019, 0x201E, 0x20AC, 0x2122, 0x3042,
                             0x30AB, 0xFF76, 0xFF21, 0x6771, 0x4EAC, 0x682A, 0xD55C, 0xAC00, 0xFEFF, 0xD800, 0xDC00,
                             0x1F600}) {
        pool.push_back(c);
    }
    return pool;
}

std::vector<kfx::Text> Texts(std::uint32_t seed) {
    std::vector<kfx::Text> texts;
    for (char16_t c = 0; c < 0x80; ++c) texts.emplace_back(1, c);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> length(1, 12);
    std::uniform_int_distribution<int> ascii(0, 0x7F);
    std::uniform_int_distribution<int> printable(0x20, 0x7E);
    for (int i = 0; i < 150; ++i) {
        kfx::Text text;
        for (int n = length(random); n > 0; --n) text += static_cast<char16_t>(ascii(random));
        texts.push_back(text);
        text.clear();
        for (int n = length(random); n > 0; --n) text += static_cast<char16_t>(printable(random));
        texts.push_back(text);
    }
    const std::vector<char32_t> pool = MixedCharacters();
    std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
    for (int i = 0; i < 300; ++i) {
        kfx::Text text;
        for (int n = length(random); n > 0; --n) AppendCodePoint(text, pool[pick(random)]);
        texts.push_back(text);
        // Plain text around anything: only what lies between is converted.
        text.clear();
        for (int n = length(random); n > 0; --n) text += static_cast<char16_t>(printable(random));
        for (int n = length(random) / 3; n > 0; --n) AppendCodePoint(text, pool[pick(random)]);
        for (int n = length(random) - 4; n > 0; --n) text += static_cast<char16_t>(printable(random));
        texts.push_back(text);
    }
    return texts;
}

std::string Units(const kfx::Text& text) {
    std::ostringstream units;
    for (const char16_t unit : text) units << ' ' << std::hex << static_cast<int>(unit);
    return units.str();
}

TEST(UnchangedRoundTrip, GivesWhatTheWholeRoundTripGivesOnEveryCodePage) {
    CountingConverter full(false);
    for (const IcuCodePage& entry : IcuCodePages()) {
        SCOPED_TRACE(entry.codePage);
        int mismatches = 0;
        for (const kfx::Text& text : Texts(entry.codePage)) {
            for (const char16_t replacement : {u'\0', u'#'}) {
                if (SanitiseText(text, entry.codePage, replacement) != SanitiseText(text, entry.codePage, replacement, full) &&
                    ++mismatches <= 5) {
                    ADD_FAILURE() << "differs for the text of units" << Units(text);
                }
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST(UnchangedRoundTrip, PlainTextNeedsNoConversion) {
    struct Case {
        std::uint32_t codePage;
        kfx::Text text;
    };
    const Case cases[] = {
        {1252, u"INV-2024-000153 Consulting services, March 2024"},
        {1252, u"Müller & Söhne GmbH, 80 g/m², € 12,50"},
        {1141, u"INV-2024-000153 Consulting services, March 2024"},  // EBCDIC, yet ASCII comes back as it was
        {1141, u"Müller & Söhne GmbH € 12,50"},
        {932, u"株式会社テスト 東京都 ABC"},
        {50220, u"Invoice 4711 ABC"},  // algorithmic: printable ASCII only
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codePage);
        CountingConverter converter(true);
        EXPECT_EQ(SanitiseText(c.text, c.codePage, u'#', converter), c.text);
        EXPECT_EQ(converter.encodings, 0);
    }
}

TEST(UnchangedRoundTrip, TextsThatChangeAreStillConverted) {
    struct Case {
        std::uint32_t codePage;
        kfx::Text text;
        kfx::Text expected;
    };
    const Case cases[] = {
        {1252, u"O’Brien 東", u"O’Brien ?"},
        {1252, u"Mu\u0308ller", u"Müller"},  // held letter and mark: composed
        {1141, u"O’Brien – Ltd", u"O?Brien ? Ltd"},
        {50220, u"ｶﾀｶﾅ", u"カタカナ"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codePage);
        CountingConverter converter(true);
        EXPECT_EQ(SanitiseText(c.text, c.codePage, 0, converter), c.expected);
        EXPECT_GT(converter.encodings, 0);
    }
}

}  // namespace
}  // namespace dbAx
