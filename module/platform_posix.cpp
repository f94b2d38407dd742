// The POSIX side of what the component asks of the operating system.
#include <dlfcn.h>

#include <filesystem>

#include "module/platform.h"

namespace veldmark::platform {

bool StartSocketLibrary() { return true; }

std::string ModuleFilePath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ModuleFilePath), &info) == 0 || !info.dli_fname) return {};
    std::error_code error;
    const std::filesystem::path path = std::filesystem::canonical(info.dli_fname, error);
    return error ? std::string() : path.string();
}

}  // namespace veldmark::platform
