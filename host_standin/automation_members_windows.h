// The usual shapes of a member, made from the wrapped interface's operation:
// a text or integer property, an object property, a collection's item.
#pragma once

#include "host_standin/automation_host_objects_windows.h"
#include "host_standin/automation_object_windows.h"

namespace standin::automation {

template <class Pointer>
struct ClassOf;
template <class Class, class Function>
struct ClassOf<Function Class::*> {
    using Type = Class;
};
template <auto Operation>
using Owner = typename ClassOf<decltype(Operation)>::Type;

template <auto Getter>
kfx::HRESULT TextProperty(Owner<Getter>& inner, Invocation& invocation) {
    if (kfx::HRESULT hr = invocation.Expect(0); kfx::Failed(hr)) return hr;
    kfx::Text value;
    const kfx::HRESULT hr = (inner.*Getter)(&value);
    return invocation.ReturnText(hr, value);
}

template <auto Getter>
kfx::HRESULT IntegerProperty(Owner<Getter>& inner, Invocation& invocation) {
    if (kfx::HRESULT hr = invocation.Expect(0); kfx::Failed(hr)) return hr;
    std::int32_t value = 0;
    const kfx::HRESULT hr = (inner.*Getter)(&value);
    return invocation.ReturnInteger(hr, value);
}

// The object handed out is wrapped as an automation object in its turn.
template <class Out>
kfx::HRESULT ReturnWrapped(Invocation& invocation, kfx::HRESULT hr, Out* out) {
    const kfx::ComPtr<Out> held = kfx::ComPtr<Out>::Adopt(out);
    if (kfx::Failed(hr) || !held) return invocation.ReturnObject(hr, nullptr, VT_DISPATCH);
    return invocation.ReturnObject(hr, AutomationObjectOf(held.Get()), VT_DISPATCH);
}

template <auto Getter, class Out>
kfx::HRESULT ObjectProperty(Owner<Getter>& inner, Invocation& invocation) {
    if (kfx::HRESULT hr = invocation.Expect(0); kfx::Failed(hr)) return hr;
    Out* out = nullptr;
    const kfx::HRESULT hr = (inner.*Getter)(&out);
    return ReturnWrapped(invocation, hr, out);
}

template <auto Getter, class Out>
kfx::HRESULT ItemProperty(Owner<Getter>& inner, Invocation& invocation) {
    if (kfx::HRESULT hr = invocation.Expect(1); kfx::Failed(hr)) return hr;
    kfx::Variant key;
    if (kfx::HRESULT hr = invocation.Key(0, &key); kfx::Failed(hr)) return hr;
    Out* out = nullptr;
    const kfx::HRESULT hr = (inner.*Getter)(key, &out);
    return ReturnWrapped(invocation, hr, out);
}

// An object the client is to ask for one of the offered interfaces by
// identifier, handed out as VT_UNKNOWN.
inline kfx::HRESULT ReturnAskable(Invocation& invocation, kfx::HRESULT hr, kfx::IUnknown* out,
                                  std::span<const Offer> offers) {
    const kfx::ComPtr<kfx::IUnknown> held = kfx::ComPtr<kfx::IUnknown>::Adopt(out);
    if (kfx::Failed(hr) || !held) return invocation.ReturnObject(hr, nullptr, VT_UNKNOWN);
    return invocation.ReturnObject(hr, Wrap(held.Get(), {}, offers), VT_UNKNOWN);
}

constexpr WORD kGet = DISPATCH_PROPERTYGET;
constexpr WORD kPut = DISPATCH_PROPERTYPUT;
constexpr WORD kMethod = DISPATCH_METHOD;

}  // namespace standin::automation
