#include "module/registry_script_text.h"

#include "host/windows_api.h"

#include "module/registry_script.h"

namespace veldmark {

// A resource of type "REGISTRY" of the module that holds this code.
std::string RegistryScriptText(int resource) {
    HMODULE module = nullptr;
    if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&RegistryScriptText), &module)) {
        if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resource), L"REGISTRY")) {
            HGLOBAL loaded = LoadResource(module, found);
            const void* bytes = loaded ? LockResource(loaded) : nullptr;
            if (bytes) return std::string(static_cast<const char*>(bytes), SizeofResource(module, found));
        }
    }
    throw RegistryScriptError("no registry script " + std::to_string(resource));
}

}  // namespace veldmark
