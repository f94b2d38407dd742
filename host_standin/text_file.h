// Whole text files of the store: read in one piece, replaced atomically.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace standin {

// Throws StoreError naming the file when it cannot be read.
std::string ReadTextFile(const std::filesystem::path& path);

// Writes the content to a temporary file beside the target and renames it over
// the target, so readers see either the old or the new content, never a part.
// Throws StoreError naming the file and leaves the target untouched on failure.
void ReplaceTextFile(const std::filesystem::path& path, std::string_view content);

}  // namespace standin
