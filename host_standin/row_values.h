// The rows of one table field: what Value.RowValues hands out.
#pragma once

#include <memory>
#include <vector>

#include "host/release_data.h"
#include "host_standin/com_object.h"

namespace standin {

class RowValue final : public ComObject<RowValue, kfx::IRowValue, kfx::IID_IRowValue> {
public:
    static constexpr const char* kObjectName = "RowValue";

    RowValue(std::shared_ptr<FaultPlan> plan, kfx::Text value);

    kfx::HRESULT get_Value(kfx::Text* value) override;

private:
    kfx::Text value_;
};

class RowValues final : public ComObject<RowValues, kfx::IRowValues, kfx::IID_IRowValues> {
public:
    static constexpr const char* kObjectName = "RowValues";

    RowValues(std::shared_ptr<FaultPlan> plan, std::vector<kfx::Text> rows);

    kfx::HRESULT get_Count(std::int32_t* count) override;
    // Rows count from 1.
    kfx::HRESULT get_Item(const kfx::Variant& row, kfx::IRowValue** item) override;

private:
    std::vector<kfx::Text> rows_;
};

}  // namespace standin
