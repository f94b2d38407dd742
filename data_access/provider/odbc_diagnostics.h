// The diagnostic records an ODBC handle holds after a call, as the driver and
// the server worded them.
#pragma once

#include "odbc_api.h"

#include <string>
#include <string_view>
#include <vector>

namespace dbAx::provider {

struct OdbcDiagnostic {
    std::string state;  // the five-character SQLSTATE
    SQLINTEGER native = 0;
    std::string message;
};

// Every record, in order; none when the handle is null or holds none.
std::vector<OdbcDiagnostic> ReadDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle);

// A driver's message as a record's text: without its empty or blank lines,
// since in an error's text an empty line separates one record from the next
// (and is never shown as a line of its own), and without line ends or
// blanks at its end.
std::string DriverMessageText(std::string_view message);

// "[SQLSTATE 28P01] (native 210) FATAL: password authentication failed ...".
std::string DiagnosticText(const OdbcDiagnostic& diagnostic);

}  // namespace dbAx::provider
