// Reading a regular file, the platform's part of ReadTextFile: what the path
// names is known before anything is read, and only a regular file is read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "host_standin/store_error.h"

namespace standin {

class RegularFileReader {
public:
    virtual ~RegularFileReader() = default;
    // The size when it was opened; only a hint, as the file may change.
    virtual std::uint64_t SizeWhenOpened() const = 0;
    // Up to `size` bytes into `buffer`, 0 at the end. Throws CannotRead.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

// Opens the regular file at the path. Throws CannotOpenForReading or
// CannotRead, or, without waiting on it or reading from it, IsADirectory or
// IsNotARegularFile when the path names anything but a regular file.
std::unique_ptr<RegularFileReader> OpenRegularFile(const std::filesystem::path& path);

// The refusals, in the same words on every platform.
inline StoreError CannotOpenForReading(const std::filesystem::path& path) {
    return StoreError(path.string() + ": cannot open for reading");
}
inline StoreError CannotRead(const std::filesystem::path& path, const std::string& reason) {
    return StoreError(path.string() + ": cannot read: " + reason);
}
inline StoreError IsADirectory(const std::filesystem::path& path) {
    return StoreError(path.string() + ": is a directory, not a file");
}
// The kind as it reads after "is": "a FIFO", "a character device".
inline StoreError IsNotARegularFile(const std::filesystem::path& path, std::string_view kind) {
    return StoreError(path.string() + ": is " + std::string(kind) + ", not a regular file");
}

}  // namespace standin
