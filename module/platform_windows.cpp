// The Windows side of what the component asks of the operating system.
#include "host/windows_api.h"

#include <winsock2.h>

#include <string>

#include "host/utf8.h"
#include "module/platform.h"

namespace veldmark::platform {

bool StartSocketLibrary() {
    WSADATA data{};
    return WSAStartup(MAKEWORD(1, 1), &data) == 0;
}

std::string ModuleFilePath() {
    // The module that holds this code: the component's library, not the
    // program that loaded it.
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&ModuleFilePath), &module)) {
        return {};
    }
    std::u16string path(MAX_PATH, u'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(module, reinterpret_cast<wchar_t*>(path.data()),
                                                static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);  // cut short: a longer path
    }
    return kfx::StrictUtf8(path).value_or(std::string());
}

}  // namespace veldmark::platform
