#include "host/text_format.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace kfx {
namespace {

TEST(FormatText, FillsTextsAndNumbersInOrder) {
    EXPECT_EQ(FormatText(u"Error Updating AIP33 record %d of %d: %s", {std::int64_t{2}, std::int64_t{4}, Text(u"x\ny")}),
              u"Error Updating AIP33 record 2 of 4: x\ny");
    EXPECT_EQ(FormatText(u"100%% of %s", {Text(u"ü")}), u"100% of ü");
    EXPECT_EQ(FormatText(u"%d", {std::int64_t{-7}}), u"-7");
    // A text argument that itself holds a conversion is copied, not expanded.
    EXPECT_EQ(FormatText(u"[%s]", {Text(u"%s %d")}), u"[%s %d]");
    // A text is read up to its first NUL, which no message may carry.
    EXPECT_EQ(FormatText(u"value '%s' for %s", {Text(u"Zak\0ad", 6), Text(u"INAM32")}), u"value 'Zak' for INAM32");
}

TEST(FormatText, RefusesArgumentsThatDoNotMatch) {
    EXPECT_THROW(FormatText(u"%s and %s", {Text(u"one")}), std::invalid_argument);
    EXPECT_THROW(FormatText(u"none", {Text(u"extra")}), std::invalid_argument);
    EXPECT_THROW(FormatText(u"%d", {Text(u"text")}), std::bad_variant_access);
    EXPECT_THROW(FormatText(u"%x", {std::int64_t{1}}), std::invalid_argument);
}

}  // namespace
}  // namespace kfx
