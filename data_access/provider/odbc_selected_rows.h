// Reading the rows a reading selection returns over ODBC, on a statement
// the session gives: the stand-in host's look-up of what earlier releases
// left in the interface files.
#pragma once

#include "odbc_api.h"

#include <string>
#include <string_view>
#include <vector>

#include "data_access/provider/backend.h"

namespace dbAx::provider {

// ODBC cannot tell before running a statement whether it only reads, so only
// a single SELECT is run at all.
bool IsOneSelect(std::string_view selection);

struct SelectedRows {
    const char* failedCall = nullptr;  // the call that failed; its diagnostics are on the statement
    std::vector<TextRow> rows;
};

// Prepares the selection on the statement, binds the parameters in order as
// texts, each with its length, runs it and reads every row, each column as text.
SelectedRows ReadSelectedRows(SQLHSTMT statement, const std::string& selection,
                              const std::vector<std::string>& parameters);

}  // namespace dbAx::provider
