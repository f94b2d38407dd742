// One release of a batch at a time, between any two locks of it, in this
// process or another; the batch itself stays open to everyone else.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "host_standin/batch_lock.h"
#include "host_standin/text_file.h"
#include "store_refusal.h"

namespace standin {
namespace {

namespace fs = std::filesystem;

constexpr const char* kContent = R"({"formatVersion": 1, "documents": []})";

class BatchLockTest : public ::testing::Test {
protected:
    BatchLockTest() : directory_(fs::path(::testing::TempDir()) / "batch-lock-test") {
        fs::remove_all(directory_);
        fs::create_directories(directory_);
        for (const fs::path& batch : {first_, second_}) std::ofstream(batch, std::ios::binary) << kContent;
    }
    ~BatchLockTest() override { fs::remove_all(directory_); }

    static std::string Busy(const fs::path& batch) {
        return batch.string() + ": another veldmark is releasing this batch; try again when it is done";
    }

    fs::path directory_;
    fs::path first_ = directory_ / "first.json";
    fs::path second_ = directory_ / "second.json";
};

TEST_F(BatchLockTest, ASecondLockOfTheBatchIsRefusedUntilTheFirstGoes) {
    auto lock = LockBatch(first_);
    EXPECT_EQ(StoreRefusal([&] { LockBatch(first_); }), Busy(first_));
    EXPECT_EQ(StoreRefusal([&] { LockBatch(first_); }), Busy(first_)) << "a refused lock let go of the first";
    lock.reset();
    EXPECT_EQ(StoreRefusal([&] { LockBatch(first_); }), kNoRefusal) << "the lock outlived its object";
}

TEST_F(BatchLockTest, HoldsOnlyItsOwnBatch) {
    const auto lock = LockBatch(first_);
    EXPECT_EQ(StoreRefusal([&] { LockBatch(second_); }), kNoRefusal);
}

TEST_F(BatchLockTest, ALockedBatchCanStillBeRead) {
    const auto lock = LockBatch(first_);
    EXPECT_EQ(StoreRefusal([&] { EXPECT_EQ(ReadTextFile(first_), kContent); }), kNoRefusal);
}

TEST_F(BatchLockTest, AMissingBatchIsNamed) {
    EXPECT_EQ(StoreRefusal([&] { LockBatch(directory_ / "missing.json"); }),
              (directory_ / "missing.json").string() + ": cannot open for reading");
}

}  // namespace
}  // namespace standin
