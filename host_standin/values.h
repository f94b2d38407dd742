// The values of one document: one Value per stored link, resolved.
#pragma once

#include <memory>
#include <vector>

#include "host/release_data.h"
#include "host_standin/com_object.h"
#include "host_standin/records.h"
#include "host_standin/row_values.h"

namespace standin {

class Value final : public ComObject<Value, kfx::IValue, kfx::IID_IValue> {
public:
    static constexpr const char* kObjectName = "Value";

    Value(std::shared_ptr<FaultPlan> plan, ResolvedValue resolved);

    kfx::HRESULT get_Destination(kfx::Text* destination) override;
    kfx::HRESULT get_Value(kfx::Text* value) override;
    kfx::HRESULT get_TableName(kfx::Text* tableName) override;
    // The key must be the integer 0; the object handed out offers IRowValues.
    // A value that is not a table field has no rows.
    kfx::HRESULT get_RowValues(const kfx::Variant& key, kfx::IUnknown** rows) override;

    const kfx::Text& Destination() const { return resolved_.destination; }

private:
    ResolvedValue resolved_;
    kfx::ComPtr<RowValues> rows_;
};

class Values final : public ComObject<Values, kfx::IValues, kfx::IID_IValues> {
public:
    static constexpr const char* kObjectName = "Values";

    Values(std::shared_ptr<FaultPlan> plan, std::vector<ResolvedValue> values);

    kfx::HRESULT get_Count(std::int32_t* count) override;
    // By 1-based position (an integer) or by destination (a text: the first
    // value with exactly that destination); an absent key gives HR_DISP_E_BADINDEX.
    kfx::HRESULT get_Item(const kfx::Variant& key, kfx::IValue** item) override;

private:
    kfx::HRESULT FindItem(const kfx::Variant& key, std::size_t& index) const;

    std::vector<kfx::ComPtr<Value>> values_;
};

}  // namespace standin
