#include "host_standin/automation_object_windows.h"

#include <oleauto.h>

#include <cwchar>

#include "host/automation_values_windows.h"

namespace standin::automation {

namespace {

// Member identifiers are positions in the member table, from 1.
constexpr DISPID IdOf(std::size_t index) { return static_cast<DISPID>(index + 1); }

}  // namespace

kfx::HRESULT Invocation::Expect(std::size_t count) const {
    return parameters_.cArgs == count ? kfx::HR_S_OK : static_cast<kfx::HRESULT>(DISP_E_BADPARAMCOUNT);
}

const VARIANT& Invocation::Argument(std::size_t position) const {
    return parameters_.rgvarg[parameters_.cArgs - 1 - position];
}

kfx::HRESULT Invocation::Mismatch(std::size_t position, kfx::HRESULT hr) const {
    if (argumentError_) *argumentError_ = static_cast<UINT>(parameters_.cArgs - 1 - position);
    return kfx::Failed(hr) ? static_cast<kfx::HRESULT>(DISP_E_TYPEMISMATCH) : hr;
}

kfx::HRESULT Invocation::Text(std::size_t position, kfx::Text* out) const {
    kfx::automation::OwnedVariant value;
    kfx::HRESULT hr = static_cast<kfx::HRESULT>(VariantCopyInd(value.Put(), const_cast<VARIANT*>(&Argument(position))));
    if (kfx::Succeeded(hr)) hr = kfx::automation::TextFromVariant(value.Get(), out);
    return Mismatch(position, hr);
}

kfx::HRESULT Invocation::Integer(std::size_t position, std::int32_t* out) const {
    kfx::automation::OwnedVariant value;
    kfx::HRESULT hr = static_cast<kfx::HRESULT>(VariantCopyInd(value.Put(), const_cast<VARIANT*>(&Argument(position))));
    if (kfx::Succeeded(hr)) hr = kfx::automation::IntegerFromVariant(value.Get(), out);
    return Mismatch(position, hr);
}

kfx::HRESULT Invocation::Key(std::size_t position, kfx::Variant* out) const {
    kfx::automation::OwnedVariant value;
    kfx::HRESULT hr = static_cast<kfx::HRESULT>(VariantCopyInd(value.Put(), const_cast<VARIANT*>(&Argument(position))));
    if (kfx::Succeeded(hr)) hr = kfx::automation::FromVariant(value.Get(), out);
    return Mismatch(position, hr);
}

kfx::HRESULT Invocation::ReturnText(kfx::HRESULT hr, const kfx::Text& value) {
    if (kfx::Failed(hr) || !result_) return hr;
    return kfx::automation::ToVariant(kfx::Variant(value), result_);
}

kfx::HRESULT Invocation::ReturnInteger(kfx::HRESULT hr, std::int32_t value) {
    if (kfx::Failed(hr) || !result_) return hr;
    return kfx::automation::ToVariant(kfx::Variant(value), result_);
}

kfx::HRESULT Invocation::ReturnObject(kfx::HRESULT hr, ::IUnknown* object, VARTYPE type) {
    if (kfx::Failed(hr)) {
        if (object) object->Release();
        return hr;
    }
    if (!object) return kfx::HR_E_OUTOFMEMORY;
    if (!result_) {
        object->Release();
        return hr;
    }
    VariantInit(result_);
    result_->vt = type;
    result_->punkVal = object;
    return kfx::HR_S_OK;
}

HRESULT ObjectBase::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
        AddRef();
        *object = static_cast<::IDispatch*>(this);
        return S_OK;
    }
    for (const Offer& offer : offers_) {
        if (!IsEqualIID(iid, reinterpret_cast<const GUID&>(*offer.iid))) continue;
        void* answered = nullptr;
        const kfx::HRESULT hr = Wrapped()->QueryInterface(*offer.iid, &answered);
        if (kfx::Failed(hr)) return static_cast<HRESULT>(hr);
        const kfx::ComPtr<kfx::IUnknown> held = kfx::ComPtr<kfx::IUnknown>::Adopt(static_cast<kfx::IUnknown*>(answered));
        if (!held) return E_NOINTERFACE;
        return static_cast<HRESULT>(offer.make(held.Get(), reinterpret_cast<::IUnknown**>(object)));
    }
    return E_NOINTERFACE;
}

ULONG ObjectBase::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT ObjectBase::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT ObjectBase::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT ObjectBase::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    if (count == 0) return S_OK;
    // Only the member itself is named here: no named arguments.
    for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    ids[0] = DISPID_UNKNOWN;
    for (std::size_t index = 0; index < MemberCount(); ++index) {
        if (_wcsicmp(names[0], MemberName(index)) != 0) continue;
        ids[0] = std::wcscmp(MemberName(index), kNewEnum) == 0 ? DISPID_NEWENUM : IdOf(index);
        return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
    return DISP_E_UNKNOWNNAME;
}

HRESULT ObjectBase::Invoke(DISPID id, REFIID, LCID, WORD kind, DISPPARAMS* parameters, VARIANT* result,
                           EXCEPINFO* exception, UINT* argumentError) {
    if (!parameters) return E_POINTER;
    std::size_t index = MemberCount();
    for (std::size_t i = 0; i < MemberCount(); ++i) {
        const bool enumerator = std::wcscmp(MemberName(i), kNewEnum) == 0;
        if (enumerator ? id == DISPID_NEWENUM : id == IdOf(i)) index = i;
    }
    if (index == MemberCount() || (kind & MemberKinds(index)) == 0) return DISP_E_MEMBERNOTFOUND;
    // A property put names its value; nothing else takes named arguments.
    const UINT named = (kind & DISPATCH_PROPERTYPUT) ? 1 : 0;
    if (parameters->cNamedArgs != named ||
        (named && parameters->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
        return DISP_E_NONAMEDARGS;
    if (result) VariantInit(result);
    Invocation invocation(kind, *parameters, result, argumentError);
    const kfx::HRESULT hr = CallMember(index, invocation);
    if (kfx::Succeeded(hr)) return S_OK;
    const HRESULT failure = static_cast<HRESULT>(hr);
    // The dispatch errors of the call itself come back as they are; a failure
    // of the wrapped object is the exception the member raised.
    if (failure == DISP_E_BADPARAMCOUNT || failure == DISP_E_TYPEMISMATCH || !exception) return failure;
    *exception = EXCEPINFO{};
    exception->scode = failure;
    return DISP_E_EXCEPTION;
}

}  // namespace standin::automation
