// File paths from and to UTF-8 texts, the same on every platform (a plain
// std::string path would be read in the Windows ANSI code page).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace dbAx::provider {

std::filesystem::path PathFromUtf8(std::string_view text);
std::string Utf8FromPath(const std::filesystem::path& path);

}  // namespace dbAx::provider
