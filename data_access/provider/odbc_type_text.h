// An ODBC SQL type as a message names it: "SQL_VARCHAR (12)".
#pragma once

#include "odbc_api.h"

#include <string>

namespace dbAx::provider {

// The type's name from the ODBC headers and its number; the number alone
// for a type the headers do not name (a driver's own).
std::string OdbcTypeText(SQLSMALLINT sqlType);

}  // namespace dbAx::provider
