#include "data_access/provider/backend_selection.h"

namespace dbAx::provider {

void BackendSelection::RegisterPrefix(std::string prefix, std::unique_ptr<Backend> backend) {
    prefixed_.emplace_back(std::move(prefix), std::move(backend));
}

void BackendSelection::RegisterOdbc(std::unique_ptr<Backend> backend) { odbc_ = std::move(backend); }

BackendSelection::Choice BackendSelection::Choose(std::string_view dataSource) const {
    for (const auto& [prefix, backend] : prefixed_) {
        if (dataSource.starts_with(prefix)) return {backend.get(), dataSource.substr(prefix.size()), {}};
    }
    if (odbc_) return {odbc_.get(), dataSource, {}};
    return {nullptr, {},
            "No ODBC provider is built into this component; data source '" + std::string(dataSource) +
                "' cannot be opened"};
}

}  // namespace dbAx::provider
