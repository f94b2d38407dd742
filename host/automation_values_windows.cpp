#include "host/automation_values_windows.h"

#include <oleauto.h>

namespace kfx::automation {

Text TextOf(BSTR text) {
    return text ? Text(reinterpret_cast<const char16_t*>(text), SysStringLen(text)) : Text();
}

BSTR NewBstr(const Text& text) {
    return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
}

HRESULT ToVariant(const Variant& value, VARIANT* out) {
    VariantInit(out);
    if (value.IsInteger()) {
        out->vt = VT_I4;
        out->lVal = value.Integer();
    } else if (value.IsText()) {
        BSTR text = NewBstr(value.AsText());
        if (!text) return HR_E_OUTOFMEMORY;
        out->vt = VT_BSTR;
        out->bstrVal = text;
    }
    return HR_S_OK;
}

HRESULT FromVariant(const VARIANT& value, Variant* out) {
    switch (value.vt) {
        case VT_EMPTY:
            *out = Variant();
            return HR_S_OK;
        case VT_I2:
        case VT_I4:
        case VT_UI1:
        case VT_INT: {
            std::int32_t number = 0;
            const HRESULT hr = IntegerFromVariant(value, &number);
            if (Succeeded(hr)) *out = Variant(number);
            return hr;
        }
        default: {
            Text text;
            const HRESULT hr = TextFromVariant(value, &text);
            if (Succeeded(hr)) *out = Variant(std::move(text));
            return hr;
        }
    }
}

HRESULT TextFromVariant(const VARIANT& value, Text* out) {
    out->clear();
    if (value.vt == VT_BSTR) {
        *out = TextOf(value.bstrVal);
        return HR_S_OK;
    }
    OwnedVariant converted;
    const HRESULT hr = VariantChangeType(converted.Put(), const_cast<VARIANT*>(&value), 0, VT_BSTR);
    if (FAILED(hr)) return static_cast<HRESULT>(hr);
    *out = TextOf(converted.Get().bstrVal);
    return HR_S_OK;
}

HRESULT IntegerFromVariant(const VARIANT& value, std::int32_t* out) {
    *out = 0;
    if (value.vt == VT_I4) {
        *out = value.lVal;
        return HR_S_OK;
    }
    OwnedVariant converted;
    const HRESULT hr = VariantChangeType(converted.Put(), const_cast<VARIANT*>(&value), 0, VT_I4);
    if (FAILED(hr)) return static_cast<HRESULT>(hr);
    *out = converted.Get().lVal;
    return HR_S_OK;
}

}  // namespace kfx::automation
