#include "host_standin/values.h"

#include <algorithm>

#include "host_standin/collection_key.h"

namespace standin {

Value::Value(std::shared_ptr<FaultPlan> plan, ResolvedValue resolved)
    : ComObject(std::move(plan)), resolved_(std::move(resolved)) {
    rows_ = MakeHostObject<RowValues>(Plan(), resolved_.rows);
}

kfx::HRESULT Value::get_Destination(kfx::Text* destination) {
    return ReadText("get_Destination", resolved_.destination, destination);
}

kfx::HRESULT Value::get_Value(kfx::Text* value) { return ReadText("get_Value", resolved_.value, value); }

kfx::HRESULT Value::get_TableName(kfx::Text* tableName) {
    return ReadText("get_TableName", resolved_.tableName, tableName);
}

kfx::HRESULT Value::get_RowValues(const kfx::Variant& key, kfx::IUnknown** rows) {
    const kfx::HRESULT hr = Enter("get_RowValues");
    if (!rows) return kfx::HR_E_POINTER;
    *rows = nullptr;
    if (kfx::Failed(hr)) return hr;
    if (!key.IsInteger() || key.Integer() != 0) return kfx::HR_E_INVALIDARG;
    return HandOutUnchecked(rows_, rows);
}

Values::Values(std::shared_ptr<FaultPlan> plan, std::vector<ResolvedValue> values) : ComObject(std::move(plan)) {
    values_.reserve(values.size());
    for (ResolvedValue& value : values) values_.push_back(MakeHostObject<Value>(Plan(), std::move(value)));
}

kfx::HRESULT Values::get_Count(std::int32_t* count) {
    const kfx::HRESULT hr = Enter("get_Count");
    if (!count) return kfx::HR_E_POINTER;
    *count = kfx::Failed(hr) ? 0 : static_cast<std::int32_t>(values_.size());
    return hr;
}

kfx::HRESULT Values::get_Item(const kfx::Variant& key, kfx::IValue** item) {
    kfx::HRESULT hr = Enter("get_Item");
    if (!item) return kfx::HR_E_POINTER;
    *item = nullptr;
    if (kfx::Failed(hr)) return hr;
    std::size_t index = 0;
    if (hr = FindItem(key, index); kfx::Failed(hr)) return hr;
    return HandOutUnchecked(values_[index], item);
}

kfx::HRESULT Values::FindItem(const kfx::Variant& key, std::size_t& index) const {
    if (!key.IsText()) return PositionIndex(key, values_.size(), index);
    auto found = std::find_if(values_.begin(), values_.end(),
                              [&](const kfx::ComPtr<Value>& value) { return value->Destination() == key.AsText(); });
    if (found == values_.end()) return kfx::HR_DISP_E_BADINDEX;
    index = static_cast<std::size_t>(found - values_.begin());
    return kfx::HR_S_OK;
}

}  // namespace standin
