// The custom properties of a document class, late-bound: the release data
// and the setup data both hand them out.
#pragma once

#include "host/late_bound_object_windows.h"
#include "host/release_data.h"

namespace kfx::late_bound {

class CustomProperty final : public Object<ICustomProperty> {
public:
    using Object::Object;
    HRESULT get_Value(Text* value) override { return Host().GetText(L"Value", value); }
};

class CustomProperties final : public Object<ICustomProperties> {
public:
    using Object::Object;
    HRESULT get_Item(const Variant& key, ICustomProperty** item) override {
        return ItemOf<CustomProperty>(key, item);
    }
};

}  // namespace kfx::late_bound
