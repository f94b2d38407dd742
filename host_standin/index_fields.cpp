#include "host_standin/index_fields.h"

#include "host_standin/collection_key.h"

namespace standin {

IndexField::IndexField(std::shared_ptr<FaultPlan> plan, kfx::Text name)
    : ComObject(std::move(plan)), name_(std::move(name)) {}

kfx::HRESULT IndexField::get_Name(kfx::Text* name) { return ReadText("get_Name", name_, name); }

IndexFields::IndexFields(std::shared_ptr<FaultPlan> plan, std::vector<IndexFieldRecord> fields)
    : ComObject(std::move(plan)), fields_(std::move(fields)) {}

kfx::HRESULT IndexFields::get_Count(std::int32_t* count) {
    const kfx::HRESULT hr = Enter("get_Count");
    if (!count) return kfx::HR_E_POINTER;
    *count = kfx::Failed(hr) ? 0 : static_cast<std::int32_t>(fields_.size());
    return hr;
}

kfx::HRESULT IndexFields::get_Item(const kfx::Variant& position, kfx::IIndexField** item) {
    kfx::HRESULT hr = Enter("get_Item");
    if (!item) return kfx::HR_E_POINTER;
    *item = nullptr;
    if (kfx::Failed(hr)) return hr;
    std::size_t index = 0;
    if (hr = PositionIndex(position, fields_.size(), index); kfx::Failed(hr)) return hr;
    return HandOutUnchecked(MakeHostObject<IndexField>(Plan(), fields_[index].name), item);
}

}  // namespace standin
