// Without the platform's message table, the component's own texts for the
// codes the layer can meet, as the platform words them.
#include "data_access/result_text.h"

#include <gtest/gtest.h>

namespace dbAx {
namespace {

TEST(ResultText, GivesTheSystemTextWithoutItsLineEnd) {
    EXPECT_EQ(ResultText(kfx::HR_E_FAIL), u"Unspecified error");
    EXPECT_EQ(ResultText(kfx::HR_E_INVALIDARG), u"The parameter is incorrect.");
}

}  // namespace
}  // namespace dbAx
