// How the stand-in host obtains the component's objects: by ProgID and
// interface, as the real host does through the component registry.
#pragma once

#include <string>

#include "host/com.h"

namespace standin {

constexpr const char* kReleaseScriptProgId = "Kessarin.BrinmoorExportConnector";
constexpr const char* kSetupScriptProgId = "Kessarin.TarvelSetupScript";

class ComponentLoader {
public:
    virtual ~ComponentLoader() = default;

    // Creates the object registered under the ProgID and hands out the asked
    // interface with one reference for the caller.
    virtual kfx::HRESULT CreateInstance(const std::string& progId, const kfx::Guid& iid, void** object) = 0;
};

// Creates the object and holds the reference; a success without an object
// counts as HR_E_POINTER.
template <class Interface>
kfx::HRESULT CreateComponent(ComponentLoader& loader, const std::string& progId, const kfx::Guid& iid,
                             kfx::ComPtr<Interface>& object) {
    void* raw = nullptr;
    kfx::HRESULT hr = loader.CreateInstance(progId, iid, &raw);
    object = kfx::ComPtr<Interface>::Adopt(kfx::Succeeded(hr) ? static_cast<Interface*>(raw) : nullptr);
    if (kfx::Succeeded(hr) && !object) hr = kfx::HR_E_POINTER;
    return hr;
}

}  // namespace standin
