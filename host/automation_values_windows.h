// Texts, integers and keys as automation carries them: BSTRs and VARIANTs,
// converted to and from the host interfaces' own types. Both sides of a
// late-bound call use them, so that what one writes the other reads alike.
#pragma once

#include "host/windows_api.h"

#include <oaidl.h>

#include "host/com.h"
#include "host/variant.h"

namespace kfx::automation {

// A BSTR's text; a null BSTR is the empty text.
Text TextOf(BSTR text);
// A new BSTR the caller frees; null when memory runs out.
BSTR NewBstr(const Text& text);

// Fills an empty VARIANT: VT_EMPTY, VT_I4 or VT_BSTR. Fails with
// E_OUTOFMEMORY when the text cannot be copied.
HRESULT ToVariant(const Variant& value, VARIANT* out);
// Reads a key or an enumerated item: VT_EMPTY, the integer types and VT_BSTR
// directly, any other type through the system's conversion to a text.
HRESULT FromVariant(const VARIANT& value, Variant* out);

// What a property returns, as the type the caller wants: a text converted
// the way automation converts, an integer likewise; a failed conversion gives
// its failed result.
HRESULT TextFromVariant(const VARIANT& value, Text* out);
HRESULT IntegerFromVariant(const VARIANT& value, std::int32_t* out);

// Holds a VARIANT and clears it when it goes.
class OwnedVariant {
public:
    OwnedVariant() { VariantInit(&value_); }
    ~OwnedVariant() { VariantClear(&value_); }
    OwnedVariant(const OwnedVariant&) = delete;
    OwnedVariant& operator=(const OwnedVariant&) = delete;

    VARIANT* Put() {
        VariantClear(&value_);
        return &value_;
    }
    const VARIANT& Get() const { return value_; }

private:
    VARIANT value_;
};

}  // namespace kfx::automation
