// A connection's error records: those of its latest failed call, as the
// access objects keep them, so that a later failure never reports an older
// one's records as its own.
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

    // Replaces the records by one per message, each numbered with the failed
    // call's result.
    void Report(Result result, const ErrorMessages& messages);
    void Report(Result result, std::string_view message);

private:
    std::vector<platform::ErrorRecord> records_;
};

}  // namespace dbAx::provider
