#include "host/windows_api.h"

#include "host_standin/batch_lock.h"

#include <string>

#include "host_standin/store_error.h"
#include "host_standin/windows_files.h"

namespace standin {
namespace {

class FileLock final : public BatchLock {
public:
    explicit FileLock(UniqueHandle file) : file_(std::move(file)) {}
    ~FileLock() override { UnlockPastContent(file_.get()); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    UniqueHandle file_;
};

}  // namespace

std::unique_ptr<BatchLock> LockBatch(const std::filesystem::path& batchFile) {
    // Shared as widely as a file without a lock: the batch stays readable,
    // and replaceable, while it is released.
    const HANDLE opened = CreateFileW(batchFile.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) throw StoreError(batchFile.string() + ": cannot open for reading");
    UniqueHandle file(opened);
    if (!LockPastContent(file.get())) {
        const DWORD error = GetLastError();
        if (error == ERROR_LOCK_VIOLATION) {
            throw StoreError(batchFile.string() +
                             ": another veldmark is releasing this batch; try again when it is done");
        }
        throw StoreError(batchFile.string() + ": cannot be locked for the release: " + WindowsErrorText(error));
    }
    return std::make_unique<FileLock>(std::move(file));
}

}  // namespace standin
