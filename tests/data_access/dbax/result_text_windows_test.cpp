// The platform's message table behind ResultText, and the fallback formats for
// the codes it does not know, the database access results among them.
#include "host/windows_api.h"

#include <gtest/gtest.h>

#include "data_access/result_text.h"

namespace dbAx {
namespace {

// The table's text as the platform gives it, asked for here directly.
kfx::Text PlatformMessage(kfx::HRESULT result) {
    wchar_t text[512] = {};
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        static_cast<DWORD>(result), 0, text, 512, nullptr);
    return kfx::Text(reinterpret_cast<const char16_t*>(text), length);
}

TEST(ResultText, GivesTheSystemTextOfAKnownResultWithoutItsLineEnd) {
    // HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), which every message table knows.
    const auto fileNotFound = static_cast<kfx::HRESULT>(0x80070002);
    const kfx::Text platform = PlatformMessage(fileNotFound);
    ASSERT_GT(platform.size(), 2u);
    ASSERT_TRUE(platform.ends_with(u"\r\n"));
    EXPECT_EQ(ResultText(fileNotFound), platform.substr(0, platform.size() - 2));
}

TEST(ResultText, DatabaseAccessResultsTakeTheFallbackFormats) {
    EXPECT_EQ(PlatformMessage(static_cast<kfx::HRESULT>(0x80040E21)), u"") << "the table knows it after all";
    EXPECT_EQ(ResultText(static_cast<kfx::HRESULT>(0x80040E21)), u"IDispatch error #3105");
    EXPECT_EQ(ResultText(static_cast<kfx::HRESULT>(0x800A0E78)), u"Unknown error 0x800A0E78");
}

}  // namespace
}  // namespace dbAx
