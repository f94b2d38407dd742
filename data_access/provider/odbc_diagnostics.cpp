#include "data_access/provider/odbc_diagnostics.h"

#include "odbc_api.h"

#include "data_access/provider/odbc_text.h"

namespace dbAx::provider {
namespace {

constexpr SQLSMALLINT kFirstMessageUnits = 512;

}  // namespace

std::string DriverMessageText(std::string_view message) {
    std::string text;
    while (!message.empty()) {
        const std::size_t end = message.find('\n');
        std::string_view line = message.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.find_first_not_of(" \t\r") != std::string_view::npos) {
            if (!text.empty()) text += '\n';
            text += line;
        }
        if (end == std::string_view::npos) break;
        message.remove_prefix(end + 1);
    }
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t')) text.pop_back();
    return text;
}

std::vector<OdbcDiagnostic> ReadDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle) {
    std::vector<OdbcDiagnostic> diagnostics;
    if (handle == SQL_NULL_HANDLE) return diagnostics;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLWCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
        SQLINTEGER native = 0;
        std::vector<SQLWCHAR> message(kFirstMessageUnits);
        SQLSMALLINT length = 0;
        SQLRETURN rc = SQLGetDiagRecW(handleType, handle, record, state, &native, message.data(),
                                      static_cast<SQLSMALLINT>(message.size()), &length);
        if (rc == SQL_SUCCESS_WITH_INFO && length >= static_cast<SQLSMALLINT>(message.size())) {
            // The message did not fit: ask again with room for all of it.
            message.resize(static_cast<std::size_t>(length) + 1);
            rc = SQLGetDiagRecW(handleType, handle, record, state, &native, message.data(),
                                static_cast<SQLSMALLINT>(message.size()), &length);
        }
        if (!SQL_SUCCEEDED(rc)) break;
        diagnostics.push_back({FromOdbcText(state, SQL_SQLSTATE_SIZE), native,
                               DriverMessageText(FromOdbcText(message.data(), message.size()))});
    }
    return diagnostics;
}

std::string DiagnosticText(const OdbcDiagnostic& diagnostic) {
    return "[SQLSTATE " + diagnostic.state + "] (native " + std::to_string(diagnostic.native) + ") " +
           diagnostic.message;
}

}  // namespace dbAx::provider
