// Counting the rows of a reading selection over ODBC: the host's look-up of
// what an interrupted release left in the interface files.
#include <sqlext.h>
#include <sqlucode.h>

#include <algorithm>
#include <cctype>

#include "data_access/provider/odbc_failure.h"
#include "data_access/provider/odbc_session.h"
#include "data_access/provider/odbc_text.h"

namespace dbAx::provider {
namespace {

// ODBC cannot tell before running a statement whether it only reads, so
// only a single SELECT is run at all.
bool IsOneSelect(std::string_view selection) {
    const std::size_t start = selection.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos || selection.size() - start < 7) return false;
    std::string keyword(selection.substr(start, 7));
    std::transform(keyword.begin(), keyword.end(), keyword.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return keyword == "SELECT " && selection.find(';') == std::string_view::npos;
}

}  // namespace

Result OdbcSession::CountRows(const std::string& selection, const std::vector<std::string>& parameters,
                              std::int64_t* rows, ErrorMessages& errors) {
    const Result lost = RefuseWhenLost(errors);
    if (kfx::Failed(lost)) return lost;
    if (!IsOneSelect(selection)) {
        errors.push_back("'" + selection + "' is not one selection that only reads (SELECT ... FROM ...)");
        return platform::DB_E_ERRORSINCOMMAND;
    }
    OdbcHandle statement = AllocateOdbcHandle(SQL_HANDLE_STMT, connection_.get());
    if (!statement) return Failure({"SQLAllocHandle", SQL_HANDLE_DBC, connection_.get()}, kfx::E_FAIL, errors);
    OdbcText text = ToOdbcText(selection);
    if (!SQL_SUCCEEDED(SQLPrepareW(statement.get(), text.data(), SQL_NTS))) {
        return Failure({"SQLPrepareW", SQL_HANDLE_STMT, statement.get()}, platform::DB_E_ERRORSINCOMMAND, errors);
    }
    // Each text goes with its length, so that nothing inside it ends it early.
    std::vector<OdbcText> buffers(parameters.size());
    std::vector<SQLLEN> lengths(parameters.size());
    for (std::size_t index = 0; index < parameters.size(); ++index) {
        buffers[index] = ToOdbcText(parameters[index]);
        const std::size_t units = buffers[index].size() - 1;
        lengths[index] = static_cast<SQLLEN>(units * sizeof(SQLWCHAR));
        const SQLRETURN bound = SQLBindParameter(
            statement.get(), static_cast<SQLUSMALLINT>(index + 1), SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_VARCHAR,
            std::max<SQLULEN>(units, 1), 0, buffers[index].data(),
            static_cast<SQLLEN>(buffers[index].size() * sizeof(SQLWCHAR)), &lengths[index]);
        if (!SQL_SUCCEEDED(bound)) {
            return Failure({"SQLBindParameter", SQL_HANDLE_STMT, statement.get()}, kfx::E_FAIL, errors);
        }
    }
    if (!SQL_SUCCEEDED(SQLExecute(statement.get()))) {
        return Failure({"SQLExecute", SQL_HANDLE_STMT, statement.get()}, platform::DB_E_ERRORSINCOMMAND, errors);
    }
    std::int64_t counted = 0;
    SQLRETURN fetched;
    while (SQL_SUCCEEDED(fetched = SQLFetch(statement.get()))) ++counted;
    if (fetched != SQL_NO_DATA) return Failure({"SQLFetch", SQL_HANDLE_STMT, statement.get()}, kfx::E_FAIL, errors);
    *rows = counted;
    return kfx::S_OK;
}

}  // namespace dbAx::provider
