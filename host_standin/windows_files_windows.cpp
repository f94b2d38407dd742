#include "host/windows_api.h"

#include "host_standin/windows_files.h"

#include <string_view>
#include <type_traits>

#include "host/utf8.h"

namespace standin {
namespace {

static_assert(std::is_same_v<HANDLE, void*> && std::is_same_v<DWORD, unsigned long>);

// Far beyond the end of any file the file systems can hold.
constexpr ULONGLONG kLockOffset = 1ULL << 62;

OVERLAPPED LockPlace() {
    OVERLAPPED place{};
    place.Offset = static_cast<DWORD>(kLockOffset);
    place.OffsetHigh = static_cast<DWORD>(kLockOffset >> 32);
    return place;
}

}  // namespace

std::string WindowsErrorText(unsigned long error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    if (length == 0 || buffer == nullptr) return "system error " + std::to_string(error);
    std::u16string_view text(reinterpret_cast<const char16_t*>(buffer), length);
    while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r' || text.back() == u' ')) text.remove_suffix(1);
    std::string message = kfx::ToUtf8(text);
    LocalFree(buffer);
    return message;
}

void HandleCloser::operator()(void* handle) const { CloseHandle(handle); }

bool LockPastContent(void* file) {
    OVERLAPPED place = LockPlace();
    return LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &place) != 0;
}

void UnlockPastContent(void* file) {
    OVERLAPPED place = LockPlace();
    UnlockFileEx(file, 0, 1, 0, &place);
}

}  // namespace standin
