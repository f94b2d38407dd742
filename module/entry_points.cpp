// The four functions the host finds in the component library by name.
#include <new>
#include <string>

#include "host/class_factory.h"
#include "module/kessarin_module.h"
#include "module/kessarin_app.h"
#include "module/platform.h"
#include "module/registration.h"

#define VELDMARK_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// Constructed when the library is loaded and destroyed when it is unloaded.
veldmark::CKessarinApp theApp;

// Reads the registry where the host reads it, lets `change` edit it and
// saves it; a registry that cannot be read or written fails the call.
template <class Change>
kfx::HRESULT ChangeRegistry(Change change) {
    try {
        const auto location = standin::Registry::DefaultLocation();
        standin::Registry registry = standin::Registry::Load(location);
        change(registry);
        registry.Save(location);
        return kfx::HR_S_OK;
    } catch (const standin::RegistryError&) {
        return kfx::HR_E_FAIL;
    } catch (const std::bad_alloc&) {
        return kfx::HR_E_OUTOFMEMORY;
    }
}

}  // namespace

VELDMARK_EXPORT kfx::HRESULT DllGetClassObject(const kfx::Guid& clsid, const kfx::Guid& iid, void** object) {
    if (!object) return kfx::HR_E_POINTER;
    *object = nullptr;
    veldmark::ClassObjects* classes = theApp.Classes();
    if (!classes) return kfx::HR_E_UNEXPECTED;
    return classes->Get(clsid, iid, object);
}

VELDMARK_EXPORT kfx::HRESULT DllCanUnloadNow() {
    return veldmark::CKessarinModule::GetLockCount() > 0 ? kfx::HR_S_FALSE : kfx::HR_S_OK;
}

VELDMARK_EXPORT kfx::HRESULT DllRegisterServer() {
    const std::string modulePath = veldmark::platform::ModuleFilePath();
    if (modulePath.empty()) return kfx::HR_E_UNEXPECTED;
    return ChangeRegistry([&](standin::Registry& registry) { veldmark::RegisterComponent(registry, modulePath); });
}

VELDMARK_EXPORT kfx::HRESULT DllUnregisterServer() {
    return ChangeRegistry([](standin::Registry& registry) { veldmark::UnregisterComponent(registry); });
}
