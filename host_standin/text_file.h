// Whole text files of the store: read in one piece, replaced atomically.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace standin {

// Reads a regular file whole. Throws StoreError naming the file when it
// cannot be opened or read, when it is anything but a regular file (a
// directory, a FIFO, a device: never waited on, never read from), or when it
// holds more than sizeLimit bytes (of which at most one more is read).
std::string ReadTextFile(const std::filesystem::path& path, std::optional<std::size_t> sizeLimit = std::nullopt);

// Writes the content to a temporary file beside the target and renames it over
// the target, so readers see either the old or the new content, never a part.
// Throws StoreError naming the file and leaves the target untouched on failure.
void ReplaceTextFile(const std::filesystem::path& path, std::string_view content);

}  // namespace standin
