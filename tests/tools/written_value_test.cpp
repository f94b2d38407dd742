#include <gtest/gtest.h>

#include "tools/written_value.h"

namespace standin {
namespace {

using dbAx::provider::ColumnDescription;
using dbAx::provider::ColumnKind;

struct DecimalCase {
    const char* text;
    std::optional<std::string> plain;
};

TEST(PlainDecimalTest, IsTheShortestPlainTextOfTheNumberWhateverItsNotation) {
    const DecimalCase cases[] = {
        {"12.500", "12.5"},       {" -12.5 ", "-12.5"},     {"007", "7"},        {"+.5", "0.5"},
        {"5.", "5"},              {"-0.000", "0"},          {"0", "0"},          {"1.25e1", "12.5"},
        {"1.0e-05", "0.00001"},   {"123456789012345.0", "123456789012345"},      {"1E+3", "1000"},
        {"", std::nullopt},       {"   ", std::nullopt},    {"-", std::nullopt}, {".", std::nullopt},
        {"1.2.3", std::nullopt},  {"12a", std::nullopt},    {"e5", std::nullopt}, {"1e", std::nullopt},
        {"1e99999", std::nullopt}, {"1 2", std::nullopt},
    };
    for (const DecimalCase& c : cases) EXPECT_EQ(PlainDecimal(c.text), c.plain) << "'" << c.text << "'";
}

TEST(WrittenValueTest, ComparesAsTheColumnStoresIt) {
    const ColumnDescription name{"INAM32", ColumnKind::Char, 10};
    const ColumnDescription weight{"IWGH32", ColumnKind::Decimal, 11, 3};
    EXPECT_EQ(AsWritten(name, u"Acme  ", {}), "Acme");
    EXPECT_EQ(AsRead(name, std::string("Acme      ")), "Acme");
    EXPECT_EQ(AsWritten(name, u"Acme Limited Co", {}), std::nullopt) << "refused: no row can hold it";
    EXPECT_EQ(AsWritten(weight, u" 12.5009 ", {}), "12.5") << "fraction digits past the scale are cut";
    EXPECT_EQ(AsRead(weight, std::string("12.500")), "12.5");
    EXPECT_EQ(AsRead(weight, std::nullopt), std::nullopt);
    EXPECT_EQ(AsWritten(weight, u"twelve", {}), std::nullopt);
    // Sanitised first, as the component assigns it.
    EXPECT_EQ(AsWritten(name, u"Łódź", {1252, u'?'}), "L\xC3\xB3" "dz") << "best fit";
}

}  // namespace
}  // namespace standin
