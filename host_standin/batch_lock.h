// One release of a batch at a time: two runs of the same batch would both
// see a document unreleased and release it twice.
#pragma once

#include <filesystem>
#include <memory>

namespace standin {

class BatchLock {
public:
    virtual ~BatchLock() = default;  // releases the batch
};

// Takes the batch for this process until the lock goes; the system lets go
// of it when the process ends, however it ends. Throws StoreError naming the
// file when it cannot be opened or another process holds it.
std::unique_ptr<BatchLock> LockBatch(const std::filesystem::path& batchFile);

}  // namespace standin
