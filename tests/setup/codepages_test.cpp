#include "setup/codepages.h"

#include <gtest/gtest.h>

namespace veldmark {
namespace {

TEST(CodepagesTest, ReadsTheBoxAsTheValidationDoes) {
    const struct {
        const char16_t* text;
        std::int64_t number;
        bool accepted;
    } cases[] = {
        {u"1252", 1252, true},    {u"  65001", 65001, true}, {u"+37", 37, true},    {u"0", 0, false},
        {u"99999", 99999, false}, {u"abc", 0, false},        {u"1252a", 0, false},  {u"1252 ", 0, false},
        {u"-1252", -1252, false}, {u" ", 0, false},          {u"+", 0, false},      {u"57011", 57011, true},
        {u"57012", 57012, false}, {u"99999999999999999999", 2147483647, false},
    };
    for (const auto& c : cases) {
        const std::int64_t number = ParseCodepageNumber(c.text);
        EXPECT_EQ(number, c.number) << std::u16string(c.text).size();
        EXPECT_EQ(IsWindowsCodepage(number), c.accepted) << number;
    }
}

TEST(CodepagesTest, TheTableHoldsExactlyTheHundredAndFiftyTwoIdentifiers) {
    int count = 0;
    for (std::int64_t number = -1; number <= 70000; ++number) count += IsWindowsCodepage(number) ? 1 : 0;
    EXPECT_EQ(count, 152);
    for (const std::int64_t number : {37, 437, 866, 1149, 1258, 10008, 20005, 20108, 28599, 50222, 57002, 65000})
        EXPECT_TRUE(IsWindowsCodepage(number)) << number;
    for (const std::int64_t number : {36, 859, 867, 1150, 1259, 10009, 20006, 28600, 57001, 65002})
        EXPECT_FALSE(IsWindowsCodepage(number)) << number;
}

}  // namespace
}  // namespace veldmark
