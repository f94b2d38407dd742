#include "module/platform.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace veldmark::platform {
namespace {

TEST(ModuleFilePath, NamesTheModuleThatHoldsTheCodeByItsFullPath) {
    const std::string text = ModuleFilePath();
    const std::filesystem::path path(std::u8string(text.begin(), text.end()));
    ASSERT_FALSE(text.empty());
    EXPECT_TRUE(path.is_absolute()) << text;
    EXPECT_EQ(path.filename().string(), TEST_PROGRAM_FILE_NAME);
    EXPECT_TRUE(std::filesystem::is_regular_file(path)) << text;
}

}  // namespace
}  // namespace veldmark::platform
