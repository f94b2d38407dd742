// Windows: devices and pipes are named as such, neither waited on nor read.
#include "host/windows_api.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host_standin/text_file.h"
#include "store_refusal.h"

namespace standin {
namespace {

TEST(TextFileWindowsTest, RefusesWhatIsNotARegularFileWithoutWaitingOrReadingIt) {
    const std::wstring pipeName = L"\\\\.\\pipe\\veldmark-text-file-test-" + std::to_wstring(GetCurrentProcessId());
    // One instance for each read below. Nothing is ever written to the pipe:
    // reading it would wait for ever.
    HANDLE instances[2];
    for (HANDLE& instance : instances) {
        instance = CreateNamedPipeW(pipeName.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT,
                                    PIPE_UNLIMITED_INSTANCES, 0, 0, 0, nullptr);
        ASSERT_NE(instance, INVALID_HANDLE_VALUE) << GetLastError();
    }
    const std::filesystem::path pipe(pipeName);
    const struct {
        std::filesystem::path path;
        std::string message;
    } cases[] = {
        {pipe, pipe.string() + ": is a pipe, not a regular file"},
        {"NUL", "NUL: is a character device, not a regular file"},
    };
    for (const auto& refused : cases) {
        EXPECT_EQ(StoreRefusal([&] { ReadTextFile(refused.path, 1024); }), refused.message);
        EXPECT_EQ(StoreRefusal([&] { ReadTextFile(refused.path); }), refused.message) << "with no limit too";
    }
    for (HANDLE instance : instances) CloseHandle(instance);
}

}  // namespace
}  // namespace standin
