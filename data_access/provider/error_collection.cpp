#include "data_access/provider/error_collection.h"

#include "host/utf8.h"

namespace dbAx::provider {

Result ErrorCollection::Count(std::int32_t* count) {
    if (!count) return kfx::HR_E_POINTER;
    *count = static_cast<std::int32_t>(records_.size());
    return kfx::HR_S_OK;
}

Result ErrorCollection::Item(std::int32_t index, platform::ErrorRecord* record) {
    if (!record) return kfx::HR_E_POINTER;
    if (index < 0 || static_cast<std::size_t>(index) >= records_.size()) return platform::E_ADO_ITEMNOTFOUND;
    *record = records_[static_cast<std::size_t>(index)];
    return kfx::HR_S_OK;
}

Result ErrorCollection::Clear() {
    records_.clear();
    return kfx::HR_S_OK;
}

void ErrorCollection::Report(Result result, const ErrorMessages& messages) {
    records_.clear();
    for (const std::string& message : messages) records_.push_back({result, kfx::FromUtf8(message)});
}

void ErrorCollection::Report(Result result, std::string_view message) {
    Report(result, ErrorMessages{std::string(message)});
}

}  // namespace dbAx::provider
