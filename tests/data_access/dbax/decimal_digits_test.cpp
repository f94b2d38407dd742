#include "data_access/decimal_digits.h"

#include <gtest/gtest.h>

#include "host/utf8.h"

namespace dbAx {
namespace {

struct CountCase {
    const char* name;
    kfx::Text text;
    std::size_t digits;
};

TEST(DecimalDigits, AreCountedInEveryScriptAndNothingElseIs) {
    const kfx::Text boldZero = u"\U0001D7CE";  // MATHEMATICAL BOLD DIGIT ZERO, a surrogate pair
    const CountCase cases[] = {
        {"empty", u"", 0},
        {"ASCII", u"0123456789", 10},
        {"full-width", u"０１２３４５６７８９", 10},
        {"Arabic-Indic", u"٠١٢٣٤٥٦٧٨٩", 10},
        {"Extended Arabic-Indic", u"۰۱۲۳۴۵۶۷۸۹", 10},
        {"Devanagari", u"१२३", 3},
        {"supplementary plane, one digit per pair", boldZero + boldZero + boldZero, 3},
        {"signs, separators and blanks", u"-1 234,5.6+", 6},
        {"Arabic separators", u"١٢٣٫٤٥٬٦", 6},
        {"letters", u"1e5 NaN Infinity", 2},
        {"numerals that are not decimal digits", u"1²③Ⅷ½", 1},
        {"lone high surrogate", kfx::Text(u"12") + char16_t(0xD835), 2},
        {"lone low surrogate", kfx::Text(1, char16_t(0xDFCE)) + u"3", 1},
        {"pair cut by a digit", kfx::Text(1, char16_t(0xD835)) + u"4" + char16_t(0xDFCE), 1},
        {"NUL inside", kfx::Text(u"1\0" u"2", 3), 2},
    };
    for (const CountCase& c : cases) EXPECT_EQ(CountDecimalDigits(c.text), c.digits) << c.name;
}

}  // namespace
}  // namespace dbAx
