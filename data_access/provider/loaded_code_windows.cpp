#include "host/windows_api.h"

#include "data_access/provider/loaded_code.h"

namespace dbAx::provider {

void KeepThisCodeLoaded() {
    // Pinned: the module stays loaded until the process ends, whatever
    // FreeLibrary calls come later. For a program, already so.
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(&KeepThisCodeLoaded), &module);
}

}  // namespace dbAx::provider
