// POSIX: FIFOs and devices are named as such, neither waited on nor read.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "host_standin/text_file.h"
#include "store_refusal.h"

namespace standin {
namespace {

TEST(TextFilePosixTest, RefusesWhatIsNotARegularFileWithoutWaitingOrReadingIt) {
    const std::filesystem::path fifo = std::filesystem::path(::testing::TempDir()) / "text-file-test-fifo.json";
    std::filesystem::remove(fifo);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::filesystem::path path;
        std::string message;
    } cases[] = {
        // Opening a FIFO without a writer for reading would block for ever.
        {fifo, fifo.string() + ": is a FIFO, not a regular file"},
        // /dev/zero never ends: reading it whole would fill the memory.
        {"/dev/zero", "/dev/zero: is a character device, not a regular file"},
    };
    for (const auto& refused : cases) {
        EXPECT_EQ(StoreRefusal([&] { ReadTextFile(refused.path, 1024); }), refused.message);
        EXPECT_EQ(StoreRefusal([&] { ReadTextFile(refused.path); }), refused.message) << "with no limit too";
    }
    std::filesystem::remove(fifo);
}

}  // namespace
}  // namespace standin
