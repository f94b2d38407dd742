// A key of a data source's entry in odbc.ini, where the provider's own
// settings for that data source are kept.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dbAx::provider {

// The key's text; none when the entry does not set it (or sets it empty).
std::optional<std::string> DataSourceKey(std::string_view dataSource, const char* key);

}  // namespace dbAx::provider
