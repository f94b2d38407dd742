#include "data_access/decimal_digits.h"

#include <cstdint>

#include <gtest/gtest.h>
#include <unicode/uchar.h>

namespace dbAx {
namespace {

// The table of digits was generated from the ICU this system builds with; a
// newer ICU with new digits shows here that the table needs them too.
TEST(DecimalDigits, AreExactlyTheUnicodeDecimalDigits) {
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        const bool nd = u_charType(static_cast<UChar32>(c)) == U_DECIMAL_DIGIT_NUMBER;
        ASSERT_EQ(IsDecimalDigit(c), nd) << std::hex << static_cast<std::uint32_t>(c);
    }
    EXPECT_FALSE(IsDecimalDigit(0x110000));
}

}  // namespace
}  // namespace dbAx
