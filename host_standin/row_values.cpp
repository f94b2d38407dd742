#include "host_standin/row_values.h"

#include "host_standin/collection_key.h"

namespace standin {

RowValue::RowValue(std::shared_ptr<FaultPlan> plan, kfx::Text value)
    : ComObject(std::move(plan)), value_(std::move(value)) {}

kfx::HRESULT RowValue::get_Value(kfx::Text* value) { return ReadText("get_Value", value_, value); }

RowValues::RowValues(std::shared_ptr<FaultPlan> plan, std::vector<kfx::Text> rows)
    : ComObject(std::move(plan)), rows_(std::move(rows)) {}

kfx::HRESULT RowValues::get_Count(std::int32_t* count) {
    const kfx::HRESULT hr = Enter("get_Count");
    if (!count) return kfx::HR_E_POINTER;
    *count = kfx::Failed(hr) ? 0 : static_cast<std::int32_t>(rows_.size());
    return hr;
}

kfx::HRESULT RowValues::get_Item(const kfx::Variant& row, kfx::IRowValue** item) {
    kfx::HRESULT hr = Enter("get_Item");
    if (!item) return kfx::HR_E_POINTER;
    *item = nullptr;
    if (kfx::Failed(hr)) return hr;
    std::size_t index = 0;
    if (hr = PositionIndex(row, rows_.size(), index); kfx::Failed(hr)) return hr;
    return HandOutUnchecked(MakeHostObject<RowValue>(Plan(), rows_[index]), item);
}

}  // namespace standin
