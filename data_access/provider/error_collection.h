// A connection's error records: they accumulate until the caller clears them.
#pragma once

#include <string_view>
#include <vector>

#include "data_access/platform/database.h"
#include "data_access/provider/backend.h"

namespace dbAx::provider {

class ErrorCollection : public platform::Errors {
public:
    Result Count(std::int32_t* count) override;
    Result Item(std::int32_t index, platform::ErrorRecord* record) override;
    Result Clear() override;

    // One record per message, each numbered with the failed call's result.
    void Add(Result result, const ErrorMessages& messages);
    void Add(Result result, std::string_view message);

private:
    std::vector<platform::ErrorRecord> records_;
};

}  // namespace dbAx::provider
