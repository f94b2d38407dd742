#include "module/server_registration.h"

#include "host/windows_api.h"

#include <oleauto.h>

#include <string>

#include "host/utf8.h"
#include "module/platform.h"
#include "module/registration.h"
#include "module/registry_script.h"

namespace veldmark {
namespace {

std::wstring Wide(const std::string& utf8) {
    const kfx::Text text = kfx::FromUtf8(utf8);
    return std::wstring(text.begin(), text.end());
}

// HKEY_CLASSES_ROOT: registration is machine-wide.
class WindowsClassesRoot final : public ClassesRoot {
public:
    void CreateKey(const std::string& key) override { RegCloseKey(Open(key)); }
    void SetValue(const std::string& key, const std::string& name, const std::string& data) override {
        HKEY opened = Open(key);
        const std::wstring text = Wide(data);
        const LSTATUS status =
            RegSetValueExW(opened, name.empty() ? nullptr : Wide(name).c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>((text.size() + 1) * 2));
        RegCloseKey(opened);
        Check(status, "cannot set a value of " + key);
    }
    void RemoveTree(const std::string& key) override {
        const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, Wide(key).c_str());
        if (status != ERROR_FILE_NOT_FOUND) Check(status, "cannot remove " + key);
    }

private:
    static HKEY Open(const std::string& key) {
        HKEY opened = nullptr;
        Check(RegCreateKeyExW(HKEY_CLASSES_ROOT, Wide(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE, nullptr, &opened, nullptr),
              "cannot create " + key);
        return opened;
    }
    static void Check(LSTATUS status, const std::string& what) {
        if (status != ERROR_SUCCESS) throw RegistrationError(what, static_cast<std::int32_t>(HRESULT_FROM_WIN32(status)));
    }
};

}  // namespace

kfx::HRESULT RegisterServer() {
    const std::string modulePath = platform::ModuleFilePath();
    if (modulePath.empty()) return kfx::HR_E_UNEXPECTED;
    WindowsClassesRoot root;
    try {
        RegisterAppId(root);
    } catch (const std::runtime_error&) {
        // The AppID is not the component's to insist on; its classes are.
    }
    try {
        RegisterClasses(root, modulePath);
    } catch (const RegistrationError& error) {
        return error.result;
    } catch (const RegistryScriptError&) {
        return kfx::HR_E_UNEXPECTED;
    }
    // The embedded type library, machine-wide, where the module lies.
    std::wstring path = Wide(modulePath);
    ITypeLib* library = nullptr;
    HRESULT result = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library);
    if (SUCCEEDED(result)) {
        result = RegisterTypeLib(library, path.data(), nullptr);
        library->Release();
    }
    return static_cast<kfx::HRESULT>(result);
}

kfx::HRESULT UnregisterServer() {
    WindowsClassesRoot root;
    try {
        UnregisterAppId(root);
    } catch (const std::runtime_error&) {
        // As at registration.
    }
    try {
        UnregisterClasses(root);
    } catch (const RegistrationError& error) {
        return error.result;
    } catch (const RegistryScriptError&) {
        return kfx::HR_E_UNEXPECTED;
    }
    // The embedded type library, under the identity it carries; not
    // registered is no failure: there is nothing left to remove.
    const std::string modulePath = platform::ModuleFilePath();
    if (modulePath.empty()) return kfx::HR_E_UNEXPECTED;
    ITypeLib* library = nullptr;
    HRESULT result = LoadTypeLibEx(Wide(modulePath).c_str(), REGKIND_NONE, &library);
    if (FAILED(result)) return static_cast<kfx::HRESULT>(result);
    TLIBATTR* attributes = nullptr;
    result = library->GetLibAttr(&attributes);
    if (SUCCEEDED(result)) {
        ITypeLib* registered = nullptr;
        if (SUCCEEDED(LoadRegTypeLib(attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum,
                                     attributes->lcid, &registered))) {
            registered->Release();
            result = UnRegisterTypeLib(attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum,
                                       attributes->lcid, attributes->syskind);
        }
        library->ReleaseTLibAttr(attributes);
    }
    library->Release();
    return result == TYPE_E_REGISTRYACCESS ? kfx::HR_S_OK : static_cast<kfx::HRESULT>(result);
}

}  // namespace veldmark
