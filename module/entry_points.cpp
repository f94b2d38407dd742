// The four functions the host finds in the component library by name.
#include "host/class_factory.h"
#include "exported.h"
#include "module/kessarin_module.h"
#include "module/kessarin_app.h"
#include "module/server_registration.h"

namespace {

// Constructed when the library is loaded and destroyed when it is unloaded.
veldmark::CKessarinApp theApp;

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

VELDMARK_EXPORT kfx::HRESULT DllRegisterServer() { return veldmark::RegisterServer(); }

VELDMARK_EXPORT kfx::HRESULT DllUnregisterServer() { return veldmark::UnregisterServer(); }
