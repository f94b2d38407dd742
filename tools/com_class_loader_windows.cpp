#include "host/windows_api.h"

#include <objbase.h>

#include <ostream>

#include "host_standin/component_client_windows.h"
#include "tools/com_class_loader_windows.h"
#include "tools/status_text.h"

namespace standin {
namespace {

// Creates the class, as the real host does.
HRESULT CreateByProgId(const std::string& progId, ::IUnknown** component) {
    const std::u16string name(progId.begin(), progId.end());
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(reinterpret_cast<LPCOLESTR>(name.c_str()), &clsid);
    if (FAILED(hr)) return hr;
    return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(component));
}

}  // namespace

kfx::HRESULT ComClassLoader::CreateInstance(const std::string& progId, const kfx::Guid& iid, void** object) {
    if (!object) return kfx::HR_E_POINTER;
    *object = nullptr;
    ::IUnknown* component = nullptr;
    kfx::HRESULT hr = static_cast<kfx::HRESULT>(CreateByProgId(progId, &component));
    const kfx::ComPtr<::IUnknown> held = kfx::ComPtr<::IUnknown>::Adopt(component);
    if (kfx::Succeeded(hr)) hr = ClientOf(held.Get(), iid, object);
    if (kfx::Failed(hr))
        err_ << "veldmark: the class " << progId << " cannot be created (" << StatusText(hr)
             << "); register the component with veldmark register <path to Kessarin.dll>\n";
    return hr;
}

}  // namespace standin
