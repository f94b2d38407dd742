// The log's file as its writer needs it: bytes appended with one write each,
// so that records of runs that overlap never interleave, and a way to put
// them on disk before the host goes on.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "host_standin/lock_wait.h"

namespace standin {

class AppendOnlyFile {
public:
    virtual ~AppendOnlyFile() = default;
    // Appends the line with a single write, holding the file against the
    // other writers meanwhile. When the file ends inside a line (one that an
    // earlier writer could not finish), ending comes first, in the same
    // write. False, with the reason, when fewer bytes or none were written.
    virtual bool Append(std::string_view line, std::string_view ending, std::string* problem) = 0;
    // False, with the reason, when the file cannot be put on disk.
    virtual bool Sync(std::string* problem) = 0;
};

// Opens the file for appending, creating it when missing. Throws StoreError
// naming the file when it cannot be opened. An Append waits for another
// writer's hold on the file at most lockWait, then fails saying so.
std::unique_ptr<AppendOnlyFile> OpenAppendOnlyFile(const std::filesystem::path& path,
                                                   std::chrono::milliseconds lockWait = kLogLockWait);

}  // namespace standin
