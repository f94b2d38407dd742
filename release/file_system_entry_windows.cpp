#include "host/windows_api.h"

#include "release/file_system_entry.h"

namespace veldmark {

// A NUL would end the path early and name another entry: such a path names
// nothing that exists.
bool FileSystemEntryExists(const kfx::Text& path) {
    if (path.size() >= kMaxPathLength || path.find(u'\0') != kfx::Text::npos) return false;
    const auto* wide = reinterpret_cast<const wchar_t*>(path.c_str());
    wchar_t full[kMaxPathLength];
    const DWORD length = GetFullPathNameW(wide, kMaxPathLength, full, nullptr);
    // 0: no full form; more than the buffer: a full form beyond the limit.
    if (length == 0 || length >= kMaxPathLength) return false;
    return GetFileAttributesW(full) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace veldmark
