// The process-wide provider environment: data sources starting with
// "sqlite:" go to the embedded database; every other data source is an ODBC
// data source name.
#pragma once

#include "data_access/platform/database.h"

namespace dbAx {

platform::Environment& DefaultEnvironment();

}  // namespace dbAx
