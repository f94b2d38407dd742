#include "release/file_system_entry.h"

#include <filesystem>
#include <system_error>

#include "host/utf8.h"

namespace veldmark {

// A path that cannot be put into the file system's form (an unpaired
// surrogate, or a NUL, which would end it early and name another entry) names
// nothing that exists.
bool FileSystemEntryExists(const kfx::Text& path) {
    if (path.size() >= kMaxPathLength || path.find(u'\0') != kfx::Text::npos) return false;
    const std::optional<std::string> bytes = kfx::StrictUtf8(path);
    if (!bytes) return false;
    std::error_code error;
    const std::filesystem::path full =
        std::filesystem::absolute(std::filesystem::path(std::u8string(bytes->begin(), bytes->end())), error);
    if (error) return false;
    const auto status = std::filesystem::status(full, error);
    return !error && std::filesystem::exists(status);
}

}  // namespace veldmark
