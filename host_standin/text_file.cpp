#include "host_standin/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <limits>
#include <random>
#include <system_error>

#include "host_standin/store_error.h"

namespace standin {
namespace {

std::filesystem::path TemporaryBeside(const std::filesystem::path& path) {
    std::random_device random;
    std::filesystem::path temporary = path;
    temporary += ".tmp-" + std::to_string(random());
    return temporary;
}

// Closes the descriptor however reading ends.
class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
    ~FileDescriptor() { ::close(descriptor_); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

private:
    int descriptor_;
};

void RefuseUnlessRegular(const std::filesystem::path& path, mode_t mode) {
    if (S_ISREG(mode)) return;
    if (S_ISDIR(mode)) throw StoreError(path.string() + ": is a directory, not a file");
    const char* kind = S_ISFIFO(mode)   ? "a FIFO"
                       : S_ISCHR(mode)  ? "a character device"
                       : S_ISBLK(mode)  ? "a block device"
                       : S_ISSOCK(mode) ? "a socket"
                                        : "a special file";
    throw StoreError(path.string() + ": is " + kind + ", not a regular file");
}

// "16 MiB", "512 KiB", else in bytes.
std::string SizeText(std::size_t bytes) {
    constexpr std::size_t kKiB = 1024;
    if (bytes >= kKiB * kKiB && bytes % (kKiB * kKiB) == 0) return std::to_string(bytes / (kKiB * kKiB)) + " MiB";
    if (bytes >= kKiB && bytes % kKiB == 0) return std::to_string(bytes / kKiB) + " KiB";
    return std::to_string(bytes) + " bytes";
}

}  // namespace

std::string ReadTextFile(const std::filesystem::path& path, std::optional<std::size_t> sizeLimit) {
    // A device is refused before it is opened (opening some has effects);
    // what was opened is checked again, as the path may have changed between.
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) RefuseUnlessRegular(path, status.st_mode);
    // Non-blocking, so that opening a FIFO returns at once.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) throw StoreError(path.string() + ": cannot open for reading");
    const FileDescriptor file(descriptor);
    if (::fstat(descriptor, &status) != 0) throw StoreError(path.string() + ": cannot read: " + std::strerror(errno));
    RefuseUnlessRegular(path, status.st_mode);
    const std::size_t mostToRead = sizeLimit ? *sizeLimit + 1 : std::numeric_limits<std::size_t>::max();
    std::string content;
    content.reserve(std::min<std::size_t>(static_cast<std::size_t>(std::max<off_t>(status.st_size, 0)), mostToRead));
    char buffer[65536];
    while (content.size() < mostToRead) {
        const ssize_t got = ::read(descriptor, buffer, std::min(sizeof buffer, mostToRead - content.size()));
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            throw StoreError(path.string() + ": cannot read: " + std::strerror(errno));
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
    if (sizeLimit && content.size() > *sizeLimit) {
        throw StoreError(path.string() + ": is larger than " + SizeText(*sizeLimit) +
                         ", the limit for this kind of file");
    }
    return content;
}

void ReplaceTextFile(const std::filesystem::path& path, std::string_view content) {
    const std::filesystem::path temporary = TemporaryBeside(path);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) throw StoreError(path.string() + ": cannot create " + temporary.string());
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            throw StoreError(path.string() + ": cannot write " + temporary.string());
        }
    }
    std::error_code renamed;
    std::filesystem::rename(temporary, path, renamed);
    if (renamed) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw StoreError(path.string() + ": cannot replace: " + renamed.message());
    }
}

}  // namespace standin
