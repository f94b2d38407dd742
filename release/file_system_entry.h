// The existence test of a file-system entry, as the platform answers it.
#pragma once

#include "host/com.h"

namespace veldmark {

// The platform's path limit: a path this long or longer names nothing.
inline constexpr std::size_t kMaxPathLength = 260;

// True when the path names an existing entry (a file or a folder). False for
// a path of kMaxPathLength characters or more, for a path that cannot be
// expanded to its full form, and when the entry's attributes cannot be read.
bool FileSystemEntryExists(const kfx::Text& path);

}  // namespace veldmark
