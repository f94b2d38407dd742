// Which backend serves a data source: a data source that starts with a
// registered prefix goes to that prefix's backend (without the prefix);
// every other data source is an ODBC data source name and goes, whole, to
// the backend registered for those.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data_access/provider/backend.h"

namespace dbAx::provider {

class BackendSelection {
public:
    void RegisterPrefix(std::string prefix, std::unique_ptr<Backend> backend);
    void RegisterOdbc(std::unique_ptr<Backend> backend);

    struct Choice {
        Backend* backend = nullptr;  // null: nothing serves the data source
        std::string_view target;     // what the backend is given
        std::string refusal;         // why nothing serves it
    };
    Choice Choose(std::string_view dataSource) const;

private:
    std::vector<std::pair<std::string, std::unique_ptr<Backend>>> prefixed_;
    std::unique_ptr<Backend> odbc_;
};

}  // namespace dbAx::provider
