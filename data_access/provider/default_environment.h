// The process-wide provider environment: data sources starting with
// "sqlite:" go to the embedded database; every other data source is an ODBC
// data source name.
#pragma once

#include <string_view>

#include "data_access/platform/database.h"

namespace dbAx {

// What starts the data source of the embedded database.
inline constexpr std::string_view kEmbeddedDataSourcePrefix = "sqlite:";

platform::Environment& DefaultEnvironment();

}  // namespace dbAx
