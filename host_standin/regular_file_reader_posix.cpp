#include "host_standin/regular_file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace standin {
namespace {

void RefuseUnlessRegular(const std::filesystem::path& path, mode_t mode) {
    if (S_ISREG(mode)) return;
    if (S_ISDIR(mode)) throw IsADirectory(path);
    throw IsNotARegularFile(path, S_ISFIFO(mode)   ? "a FIFO"
                                  : S_ISCHR(mode)  ? "a character device"
                                  : S_ISBLK(mode)  ? "a block device"
                                  : S_ISSOCK(mode) ? "a socket"
                                                   : "a special file");
}

// Closes the descriptor however reading ends, a refusal of it included.
class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
    ~FileDescriptor() { ::close(descriptor_); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return descriptor_; }

private:
    int descriptor_;
};

class PosixRegularFileReader final : public RegularFileReader {
public:
    // Throws as OpenRegularFile does when the descriptor is no regular file.
    PosixRegularFileReader(std::filesystem::path path, int descriptor)
        : path_(std::move(path)), descriptor_(descriptor) {
        struct stat status {};
        if (::fstat(descriptor, &status) != 0) throw CannotRead(path_, std::strerror(errno));
        RefuseUnlessRegular(path_, status.st_mode);
        size_ = static_cast<std::uint64_t>(std::max<off_t>(status.st_size, 0));
    }

    std::uint64_t SizeWhenOpened() const override { return size_; }

    std::size_t Read(char* buffer, std::size_t size) override {
        ssize_t got;
        do {
            got = ::read(descriptor_.Get(), buffer, size);
        } while (got < 0 && errno == EINTR);
        if (got < 0) throw CannotRead(path_, std::strerror(errno));
        return static_cast<std::size_t>(got);
    }

private:
    std::filesystem::path path_;
    FileDescriptor descriptor_;
    std::uint64_t size_ = 0;
};

}  // namespace

std::unique_ptr<RegularFileReader> OpenRegularFile(const std::filesystem::path& path) {
    // A device is refused before it is opened (opening some has effects);
    // what was opened is checked again, as the path may have changed between.
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) RefuseUnlessRegular(path, status.st_mode);
    // Non-blocking, so that opening a FIFO returns at once.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) throw CannotOpenForReading(path);
    return std::make_unique<PosixRegularFileReader>(path, descriptor);
}

}  // namespace standin
