#include <gtest/gtest.h>

#include "tools/status_text.h"

namespace standin {
namespace {

TEST(StatusTextTest, OnOneLineShowsLineBreaksAsSlashesLeavesOutEmptyLinesAndEscapesOtherControlCharacters) {
    const struct {
        kfx::Text message;
        std::string shown;
    } cases[] = {
        {u"Error Updating AIP33\nValue too long", "Error Updating AIP33 / Value too long"},
        {u"one\r\ntwo\rthree\n", "one / two / three"},
        {u"\nafter", "after"},
        // Two error records, an empty line between them.
        {u"CAxRecordset::Update\n[SQLSTATE HY000] Lost connection during query\n\nThe connection is lost",
         "CAxRecordset::Update / [SQLSTATE HY000] Lost connection during query / The connection is lost"},
        {u"a\r\n\r\n\r\rb", "a / b"},
        {u"\n\n", ""},
        {u"Value 'a\x1b[31m\tb' refused", "Value 'a\\x1b[31m\\tb' refused"},
        {kfx::Text(u"NUL \0 kept", 10), "NUL \\x00 kept"},
        {u"", ""},
    };
    for (const auto& example : cases) EXPECT_EQ(OnOneLine(example.message), example.shown);
}

TEST(StatusTextTest, JoinedLinesKeepsTheLinesApartWithTheSeparator) {
    EXPECT_EQ(JoinedLines(u"Error Updating AIP33\r\nValue 'a\x1b[2J' too long", "\n      "),
              "Error Updating AIP33\n      Value 'a\\x1b[2J' too long");
}

}  // namespace
}  // namespace standin
