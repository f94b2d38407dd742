#include "setup/message_format.h"

#include <gtest/gtest.h>

namespace veldmark {
namespace {

TEST(MessageFormatTest, ReplacesInsertsAndEscapesAndCopiesInsertsUnchanged) {
    const kfx::Text inserts[] = {u"50% 'off'", u"two"};
    const struct {
        const char16_t* pattern;
        const char16_t* expected;
    } cases[] = {
        {u"beginning with '%1'.", u"beginning with '50% 'off''."},
        {u"%2 and %1", u"two and 50% 'off'"},
        {u"100%% sure%nnext", u"100% sure\nnext"},
        {u"kept\nline break", u"kept\nline break"},
        {u"stops here%0 not this", u"stops here"},
        {u"no insert %3 given", u"no insert %3 given"},
        {u"trailing %", u"trailing %"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatMessageText(c.pattern, inserts), c.expected);
}

}  // namespace
}  // namespace veldmark
