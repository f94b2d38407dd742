// The index fields of a document class, by position.
#pragma once

#include <memory>
#include <vector>

#include "host/release_setup_data.h"
#include "host_standin/com_object.h"
#include "host_standin/records.h"

namespace standin {

class IndexField final : public ComObject<IndexField, kfx::IIndexField, kfx::IID_IIndexField> {
public:
    static constexpr const char* kObjectName = "IndexField";

    IndexField(std::shared_ptr<FaultPlan> plan, kfx::Text name);

    kfx::HRESULT get_Name(kfx::Text* name) override;

private:
    kfx::Text name_;
};

class IndexFields final : public ComObject<IndexFields, kfx::IIndexFields, kfx::IID_IIndexFields> {
public:
    static constexpr const char* kObjectName = "IndexFields";

    IndexFields(std::shared_ptr<FaultPlan> plan, std::vector<IndexFieldRecord> fields);

    kfx::HRESULT get_Count(std::int32_t* count) override;
    // By 1-based position.
    kfx::HRESULT get_Item(const kfx::Variant& position, kfx::IIndexField** item) override;

private:
    std::vector<IndexFieldRecord> fields_;
};

}  // namespace standin
