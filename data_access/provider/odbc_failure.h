// What a failed ODBC call means for the layer above: the result code its
// error records carry, the messages, and whether the connection is gone.
#pragma once

#include <vector>

#include "data_access/provider/backend.h"
#include "data_access/provider/odbc_diagnostics.h"

namespace dbAx::provider {

// The result of the first record's SQLSTATE: authentication, conversion,
// overflow, integrity, missing table, statement and connection failures
// each have their own; `otherwise` for a state none of them covers and for
// a call that left no records.
Result ResultOfDiagnostics(const std::vector<OdbcDiagnostic>& diagnostics, Result otherwise);

// True when a record says the connection is broken: SQLSTATE class 08
// (connection exception) or 57P01 to 57P03 (the server shut down or is
// starting up).
bool ReportsConnectionLoss(const std::vector<OdbcDiagnostic>& diagnostics);

// One message per record; a call that failed without records says so.
void AddDiagnosticMessages(const std::vector<OdbcDiagnostic>& diagnostics, const char* call, ErrorMessages& errors);

}  // namespace dbAx::provider
