// The custom properties of a document class, looked up by name.
#pragma once

#include <memory>
#include <vector>

#include "host/release_data.h"
#include "host_standin/com_object.h"
#include "host_standin/records.h"

namespace standin {

class CustomProperty final : public ComObject<CustomProperty, kfx::ICustomProperty, kfx::IID_ICustomProperty> {
public:
    static constexpr const char* kObjectName = "CustomProperty";

    CustomProperty(std::shared_ptr<FaultPlan> plan, kfx::Text value);

    kfx::HRESULT get_Value(kfx::Text* value) override;

private:
    kfx::Text value_;
};

class CustomProperties final
    : public ComObject<CustomProperties, kfx::ICustomProperties, kfx::IID_ICustomProperties> {
public:
    static constexpr const char* kObjectName = "CustomProperties";

    CustomProperties(std::shared_ptr<FaultPlan> plan, std::vector<CustomPropertyRecord> properties);

    // By name (a text key); an absent name gives HR_DISP_E_BADINDEX.
    kfx::HRESULT get_Item(const kfx::Variant& key, kfx::ICustomProperty** item) override;

private:
    std::vector<CustomPropertyRecord> properties_;
};

}  // namespace standin
