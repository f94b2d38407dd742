#include "data_access/provider/odbc_failure.h"

#include <string_view>

namespace dbAx::provider {
namespace {

struct StateResult {
    std::string_view prefix;  // a whole SQLSTATE or its class
    Result result;
};

// Longer prefixes first: the first match counts.
constexpr StateResult kStateResults[] = {
    {"42P01", platform::DB_E_NOTABLE},   // PostgreSQL: undefined table
    {"42S02", platform::DB_E_NOTABLE},   // ODBC's own: base table not found (MariaDB)
    {"42704", platform::DB_E_NOTABLE},   // DB2 for i: undefined object (SQL0204)
    {"3F000", platform::DB_E_NOTABLE},   // invalid schema name
    {"22001", platform::DB_E_DATAOVERFLOW},
    {"22003", platform::DB_E_DATAOVERFLOW},
    {"22", platform::DB_E_CANTCONVERTVALUE},
    {"23", platform::DB_E_INTEGRITYVIOLATION},
    {"28", platform::DB_SEC_E_AUTH_FAILED},
    {"42", platform::DB_E_ERRORSINCOMMAND},
    {"08", platform::E_ADO_CONNECTIONFAILED},
    {"57P0", platform::E_ADO_CONNECTIONFAILED},
    {"IM", platform::E_ADO_CONNECTIONFAILED},  // driver manager: no such data source or driver
};

bool IsLossState(std::string_view state) {
    return state.starts_with("08") || state == "57P01" || state == "57P02" || state == "57P03";
}

}  // namespace

Result ResultOfDiagnostics(const std::vector<OdbcDiagnostic>& diagnostics, Result otherwise) {
    if (diagnostics.empty()) return otherwise;
    for (const StateResult& known : kStateResults) {
        if (std::string_view(diagnostics.front().state).starts_with(known.prefix)) return known.result;
    }
    return otherwise;
}

bool ReportsConnectionLoss(const std::vector<OdbcDiagnostic>& diagnostics) {
    for (const OdbcDiagnostic& diagnostic : diagnostics) {
        if (IsLossState(diagnostic.state)) return true;
    }
    return false;
}

void AddDiagnosticMessages(const std::vector<OdbcDiagnostic>& diagnostics, const char* call, ErrorMessages& errors) {
    if (diagnostics.empty()) {
        errors.push_back(std::string(call) + " failed and the ODBC driver gave no reason");
        return;
    }
    for (const OdbcDiagnostic& diagnostic : diagnostics) errors.push_back(DiagnosticText(diagnostic));
}

}  // namespace dbAx::provider
