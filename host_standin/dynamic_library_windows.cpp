#include "host/windows_api.h"

#include "host_standin/dynamic_library.h"

#include "host_standin/windows_files.h"

namespace standin {
namespace {

// As the system loads an in-process server: the libraries beside the
// component are found before any others of the same name. The flag is for
// full paths only.
HMODULE Load(const std::filesystem::path& file) {
    return LoadLibraryExW(file.c_str(), nullptr, file.is_absolute() ? LOAD_WITH_ALTERED_SEARCH_PATH : 0);
}

}  // namespace

DynamicLibrary::DynamicLibrary(const std::filesystem::path& file) : file_(file), handle_(Load(file)) {
    if (!handle_) {
        const std::string reason = WindowsErrorText(GetLastError());
        throw ComponentLoadError(HR_E_MODULE_NOT_FOUND,
                                 "the component library " + file.string() + " cannot be loaded: " + reason);
    }
}

DynamicLibrary::~DynamicLibrary() {
    if (!keepLoaded_) FreeLibrary(static_cast<HMODULE>(handle_));
}

void* DynamicLibrary::Symbol(const char* name) const {
    const FARPROC symbol = GetProcAddress(static_cast<HMODULE>(handle_), name);
    if (!symbol)
        throw ComponentLoadError(HR_E_PROC_NOT_FOUND, "the library " + file_.string() + " is not a component: it does not export " + name);
    return reinterpret_cast<void*>(symbol);
}

}  // namespace standin
