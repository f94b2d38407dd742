#include "host/windows_api.h"

#include "host_standin/append_only_file.h"

#include <algorithm>

#include "host_standin/store_error.h"
#include "host_standin/windows_files.h"

namespace standin {
namespace {

class WindowsAppendOnlyFile final : public AppendOnlyFile {
public:
    WindowsAppendOnlyFile(UniqueHandle file, std::chrono::milliseconds lockWait)
        : file_(std::move(file)), lockWait_(lockWait) {}

    bool Append(std::string_view line, std::string_view ending, std::string* problem) override {
        // Another writer's line is whole before this one looks at the end.
        DWORD lockError = 0;
        const LockAttempt locked = TryToLock(lockWait_, [&] {
            if (LockPastContent(file_.get())) return LockAttempt::Taken;
            lockError = GetLastError();
            return lockError == ERROR_LOCK_VIOLATION ? LockAttempt::Held : LockAttempt::Failed;
        });
        if (locked != LockAttempt::Taken) {
            *problem = locked == LockAttempt::Held ? LockHeldTooLong(lockWait_) : WindowsErrorText(lockError);
            return false;
        }
        const std::string bytes = EndsInsideALine() ? std::string(ending) + std::string(line) : std::string(line);
        // A handle that may only append writes at the end, wherever its
        // file pointer is.
        DWORD written = 0;
        const bool wrote = WriteFile(file_.get(), bytes.data(), static_cast<DWORD>(std::min<std::size_t>(bytes.size(), MAXDWORD)),
                                     &written, nullptr) != 0;
        const DWORD error = GetLastError();
        UnlockPastContent(file_.get());
        if (wrote && written == bytes.size()) return true;
        *problem = !wrote ? WindowsErrorText(error)
                          : "only " + std::to_string(written) + " of " + std::to_string(bytes.size()) +
                                " bytes were written";
        return false;
    }

    bool Sync(std::string* problem) override {
        // Devices and pipes cannot be flushed (a pipe's flush waits for its
        // reader); what was written is as far as it goes.
        if (GetFileType(file_.get()) != FILE_TYPE_DISK || FlushFileBuffers(file_.get())) return true;
        *problem = WindowsErrorText(GetLastError());
        return false;
    }

private:
    bool EndsInsideALine() const {
        LARGE_INTEGER size{};
        if (GetFileType(file_.get()) != FILE_TYPE_DISK || !GetFileSizeEx(file_.get(), &size) || size.QuadPart == 0)
            return false;
        const auto lastByte = static_cast<ULONGLONG>(size.QuadPart - 1);
        OVERLAPPED place{};
        place.Offset = static_cast<DWORD>(lastByte);
        place.OffsetHigh = static_cast<DWORD>(lastByte >> 32);
        char last = '\n';
        DWORD got = 0;
        return ReadFile(file_.get(), &last, 1, &got, &place) && got == 1 && last != '\n';
    }

    UniqueHandle file_;
    std::chrono::milliseconds lockWait_;
};

}  // namespace

std::unique_ptr<AppendOnlyFile> OpenAppendOnlyFile(const std::filesystem::path& path,
                                                   std::chrono::milliseconds lockWait) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const std::string problem = WindowsErrorText(GetLastError());
        throw StoreError(path.string() + ": cannot open the log for appending: " + problem);
    }
    return std::make_unique<WindowsAppendOnlyFile>(UniqueHandle(file), lockWait);
}

}  // namespace standin
