#include "host_standin/append_only_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "host_standin/store_error.h"

namespace standin {
namespace {

std::string SystemProblem() { return std::strerror(errno); }

class PosixAppendOnlyFile final : public AppendOnlyFile {
public:
    PosixAppendOnlyFile(int descriptor, std::chrono::milliseconds lockWait)
        : descriptor_(descriptor), lockWait_(lockWait) {}
    ~PosixAppendOnlyFile() override { ::close(descriptor_); }
    PosixAppendOnlyFile(const PosixAppendOnlyFile&) = delete;
    PosixAppendOnlyFile& operator=(const PosixAppendOnlyFile&) = delete;

    bool Append(std::string_view line, std::string_view ending, std::string* problem) override {
        // Another writer's line is whole before this one looks at the end.
        const LockAttempt locked = TryToLock(lockWait_, [this] {
            if (::flock(descriptor_, LOCK_EX | LOCK_NB) == 0) return LockAttempt::Taken;
            return errno == EWOULDBLOCK || errno == EINTR ? LockAttempt::Held : LockAttempt::Failed;
        });
        if (locked != LockAttempt::Taken) {
            *problem = locked == LockAttempt::Held ? LockHeldTooLong(lockWait_) : SystemProblem();
            return false;
        }
        const std::string bytes = EndsInsideALine() ? std::string(ending) + std::string(line) : std::string(line);
        ssize_t written;
        do {
            written = ::write(descriptor_, bytes.data(), bytes.size());
        } while (written < 0 && errno == EINTR);
        const int error = errno;
        ::flock(descriptor_, LOCK_UN);
        if (written == static_cast<ssize_t>(bytes.size())) return true;
        errno = error;
        *problem = written < 0 ? SystemProblem()
                               : "only " + std::to_string(written) + " of " + std::to_string(bytes.size()) +
                                     " bytes were written";
        return false;
    }

    bool Sync(std::string* problem) override {
        if (::fsync(descriptor_) == 0) return true;
        // Devices and pipes cannot be synced; what was written is as far as it goes.
        if (errno == EINVAL || errno == EROFS) return true;
        *problem = SystemProblem();
        return false;
    }

private:
    bool EndsInsideALine() const {
        struct stat status {};
        if (::fstat(descriptor_, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size == 0) return false;
        char last = '\n';
        return ::pread(descriptor_, &last, 1, status.st_size - 1) == 1 && last != '\n';
    }

    int descriptor_;
    std::chrono::milliseconds lockWait_;
};

}  // namespace

std::unique_ptr<AppendOnlyFile> OpenAppendOnlyFile(const std::filesystem::path& path,
                                                   std::chrono::milliseconds lockWait) {
    const int descriptor = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (descriptor < 0) throw StoreError(path.string() + ": cannot open the log for appending: " + SystemProblem());
    return std::make_unique<PosixAppendOnlyFile>(descriptor, lockWait);
}

}  // namespace standin
