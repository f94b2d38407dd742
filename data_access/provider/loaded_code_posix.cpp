#include <dlfcn.h>

#include "data_access/provider/loaded_code.h"

namespace dbAx::provider {

void KeepThisCodeLoaded() {
    Dl_info info = {};
    if (!dladdr(reinterpret_cast<void*>(&KeepThisCodeLoaded), &info) || !info.dli_fname) return;
    // One more reference, never given back, to a library that stays; for the
    // program itself, which nothing unloads, there is none to take.
    dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}

}  // namespace dbAx::provider
