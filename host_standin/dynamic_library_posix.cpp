#include <dlfcn.h>

#include "host_standin/dynamic_library.h"

namespace standin {

DynamicLibrary::DynamicLibrary(const std::filesystem::path& file)
    : file_(file), handle_(dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (!handle_) {
        const char* reason = dlerror();
        throw ComponentLoadError(HR_E_MODULE_NOT_FOUND, "the component library " + file.string() +
                                 " cannot be loaded: " + (reason ? reason : "unknown reason"));
    }
}

DynamicLibrary::~DynamicLibrary() {
    if (!keepLoaded_) dlclose(handle_);
}

void* DynamicLibrary::Symbol(const char* name) const {
    dlerror();
    void* symbol = dlsym(handle_, name);
    if (!symbol)
        throw ComponentLoadError(HR_E_PROC_NOT_FOUND, "the library " + file_.string() + " is not a component: it does not export " + name);
    return symbol;
}

}  // namespace standin
