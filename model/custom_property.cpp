#include "model/custom_property.h"

namespace veldmark {

bool ReadCustomProperty(kfx::ICustomProperties* properties, const kfx::Text& name, kfx::Text& value) {
    value.clear();
    if (name.empty() || !properties) return false;
    kfx::ComPtr<kfx::ICustomProperty> property;
    if (kfx::Failed(properties->get_Item(kfx::Variant(name), property.Put())) || !property) return false;
    kfx::Text read;
    if (kfx::Failed(property->get_Value(&read))) return false;
    value = std::move(read);
    return true;
}

}  // namespace veldmark
