#include "host_standin/batch_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "host_standin/store_error.h"

namespace standin {
namespace {

class FileLock final : public BatchLock {
public:
    explicit FileLock(int descriptor) : descriptor_(descriptor) {}
    ~FileLock() override { ::close(descriptor_); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int descriptor_;
};

}  // namespace

std::unique_ptr<BatchLock> LockBatch(const std::filesystem::path& batchFile) {
    const int descriptor = ::open(batchFile.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) throw StoreError(batchFile.string() + ": cannot open for reading");
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(descriptor);
        if (error == EWOULDBLOCK) {
            throw StoreError(batchFile.string() +
                             ": another veldmark is releasing this batch; try again when it is done");
        }
        throw StoreError(batchFile.string() + ": cannot be locked for the release: " + std::strerror(error));
    }
    return std::make_unique<FileLock>(descriptor);
}

}  // namespace standin
