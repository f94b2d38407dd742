#include "host/late_bound_object_windows.h"

namespace kfx::late_bound {

HRESULT Askable::QueryInterface(const Guid& iid, void** object) {
    if (!object) return HR_E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown) return Counted::QueryInterface(iid, object);
    ComPtr<::IUnknown> offered;
    const ::HRESULT hr = object_->QueryInterface(reinterpret_cast<REFIID>(iid), reinterpret_cast<void**>(offered.Put()));
    if (FAILED(hr)) return static_cast<HRESULT>(hr);
    if (!offered) return HR_E_NOINTERFACE;
    return answer_(iid, offered.Get(), object);
}

HRESULT HandOutAskable(HRESULT hr, ::IUnknown* answered, Askable::Answer answer, kfx::IUnknown** out) {
    ComPtr<::IUnknown> held = ComPtr<::IUnknown>::Adopt(answered);
    if (!out) return HR_E_POINTER;
    *out = nullptr;
    if (Failed(hr) || !held) return hr;
    Askable* made = new (std::nothrow) Askable(held.Get(), answer);
    if (!made) return HR_E_OUTOFMEMORY;
    made->AddRef();
    *out = made;
    return HR_S_OK;
}

}  // namespace kfx::late_bound
