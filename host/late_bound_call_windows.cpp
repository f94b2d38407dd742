#include "host/late_bound_call_windows.h"

#include <oleauto.h>

#include "host/automation_values_windows.h"

namespace kfx::late_bound {

Arguments::~Arguments() {
    for (VARIANT& argument : reversed_) VariantClear(&argument);
}

Arguments& Arguments::Add(const Variant& value) {
    VARIANT argument;
    const HRESULT hr = automation::ToVariant(value, &argument);
    if (Failed(hr)) status_ = hr;
    reversed_.insert(reversed_.begin(), argument);
    return *this;
}

namespace {

// An exception the object raised, as the failure it stands for; its texts
// are not kept, the host's calls being judged by their result only.
HRESULT ExceptionResult(EXCEPINFO& exception) {
    if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
    const HRESULT hr = FAILED(exception.scode) ? static_cast<HRESULT>(exception.scode) : HR_E_FAIL;
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return hr;
}

HRESULT ObjectFromVariant(const VARIANT& value, ::IUnknown** out) {
    switch (value.vt) {
        case VT_DISPATCH:
        case VT_UNKNOWN:
            // Both carry the pointer in the same place.
            *out = value.punkVal;
            if (*out) (*out)->AddRef();
            return HR_S_OK;
        case VT_EMPTY:
        case VT_NULL:
            return HR_S_OK;
        default:
            return static_cast<HRESULT>(DISP_E_TYPEMISMATCH);
    }
}

}  // namespace

HRESULT Caller::Invoke(const wchar_t* name, WORD kind, Arguments& arguments, VARIANT* result) const {
    if (!object_) return HR_E_POINTER;
    DISPID member = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    const ::HRESULT found = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &member);
    if (FAILED(found)) return static_cast<HRESULT>(found);
    return InvokeId(member, kind, arguments, result);
}

HRESULT Caller::InvokeId(DISPID member, WORD kind, Arguments& arguments, VARIANT* result) const {
    if (!object_) return HR_E_POINTER;
    if (Failed(arguments.Status())) return arguments.Status();
    std::vector<VARIANT>& values = arguments.Reversed();
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{values.data(), nullptr, static_cast<UINT>(values.size()), 0};
    if (kind == DISPATCH_PROPERTYPUT) {
        parameters.rgdispidNamedArgs = &putId;
        parameters.cNamedArgs = 1;
    }
    EXCEPINFO exception{};
    UINT argumentError = 0;
    const ::HRESULT hr =
        object_->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, kind, &parameters, result, &exception, &argumentError);
    if (hr == DISP_E_EXCEPTION) return ExceptionResult(exception);
    return static_cast<HRESULT>(hr);
}

HRESULT Caller::GetText(const wchar_t* name, Text* out) const {
    if (!out) return HR_E_POINTER;
    out->clear();
    Arguments none;
    automation::OwnedVariant result;
    const HRESULT hr = Invoke(name, DISPATCH_PROPERTYGET, none, result.Put());
    if (Failed(hr)) return hr;
    return automation::TextFromVariant(result.Get(), out);
}

HRESULT Caller::GetInteger(const wchar_t* name, std::int32_t* out) const {
    if (!out) return HR_E_POINTER;
    *out = 0;
    Arguments none;
    automation::OwnedVariant result;
    const HRESULT hr = Invoke(name, DISPATCH_PROPERTYGET, none, result.Put());
    if (Failed(hr)) return hr;
    return automation::IntegerFromVariant(result.Get(), out);
}

HRESULT Caller::GetObject(const wchar_t* name, Arguments& arguments, ::IUnknown** out) const {
    if (!out) return HR_E_POINTER;
    *out = nullptr;
    automation::OwnedVariant result;
    // A parameterised property is also reached as a method by some objects.
    const HRESULT hr = Invoke(name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, arguments, result.Put());
    if (Failed(hr)) return hr;
    return ObjectFromVariant(result.Get(), out);
}

HRESULT Caller::GetEnumerator(::IUnknown** out) const {
    if (!out) return HR_E_POINTER;
    *out = nullptr;
    Arguments none;
    automation::OwnedVariant result;
    const HRESULT hr = InvokeId(DISPID_NEWENUM, DISPATCH_PROPERTYGET | DISPATCH_METHOD, none, result.Put());
    if (Failed(hr)) return hr;
    return ObjectFromVariant(result.Get(), out);
}

HRESULT Caller::PutText(const wchar_t* name, const Text& value) const {
    Arguments arguments;
    arguments.Add(Variant(value));
    return Invoke(name, DISPATCH_PROPERTYPUT, arguments, nullptr);
}

HRESULT Caller::Call(const wchar_t* name, Arguments& arguments) const {
    automation::OwnedVariant ignored;
    return Invoke(name, DISPATCH_METHOD, arguments, ignored.Put());
}

}  // namespace kfx::late_bound
