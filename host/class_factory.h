// The class object interface through which a component's objects are created.
#pragma once

#include "host/com.h"

namespace kfx {

class IClassFactory : public IUnknown {
public:
    // `outer` is the controlling object when the new object is aggregated.
    virtual HRESULT CreateInstance(IUnknown* outer, const Guid& iid, void** object) = 0;
    // Keeps the component loaded (true) or lets it go again (false).
    virtual HRESULT LockServer(bool lock) = 0;

protected:
    ~IClassFactory() = default;
};

inline constexpr Guid IID_IClassFactory{0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// The component's exported entry points, as the host looks them up.
using DllGetClassObjectFunction = HRESULT (*)(const Guid& clsid, const Guid& iid, void** object);
using DllCanUnloadNowFunction = HRESULT (*)();
using DllRegisterServerFunction = HRESULT (*)();
using DllUnregisterServerFunction = HRESULT (*)();

}  // namespace kfx
