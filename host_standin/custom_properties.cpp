#include "host_standin/custom_properties.h"

#include <algorithm>

namespace standin {

CustomProperty::CustomProperty(std::shared_ptr<FaultPlan> plan, kfx::Text value)
    : ComObject(std::move(plan)), value_(std::move(value)) {}

kfx::HRESULT CustomProperty::get_Value(kfx::Text* value) { return ReadText("get_Value", value_, value); }

CustomProperties::CustomProperties(std::shared_ptr<FaultPlan> plan, std::vector<CustomPropertyRecord> properties)
    : ComObject(std::move(plan)), properties_(std::move(properties)) {}

kfx::HRESULT CustomProperties::get_Item(const kfx::Variant& key, kfx::ICustomProperty** item) {
    const kfx::HRESULT hr = Enter("get_Item");
    if (!item) return kfx::HR_E_POINTER;
    *item = nullptr;
    if (kfx::Failed(hr)) return hr;
    if (!key.IsText()) return kfx::HR_E_INVALIDARG;
    auto found = std::find_if(properties_.begin(), properties_.end(),
                              [&](const CustomPropertyRecord& property) { return property.name == key.AsText(); });
    if (found == properties_.end()) return kfx::HR_DISP_E_BADINDEX;
    return HandOutUnchecked(MakeHostObject<CustomProperty>(Plan(), found->value), item);
}

}  // namespace standin
