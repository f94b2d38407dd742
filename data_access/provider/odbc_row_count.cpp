#include "data_access/provider/odbc_row_count.h"

#include "odbc_api.h"

#include <algorithm>
#include <cctype>

#include "data_access/provider/odbc_text.h"

namespace dbAx::provider {

bool IsOneSelect(std::string_view selection) {
    const std::size_t start = selection.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos || selection.size() - start < 7) return false;
    std::string keyword(selection.substr(start, 7));
    std::transform(keyword.begin(), keyword.end(), keyword.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return keyword == "SELECT " && selection.find(';') == std::string_view::npos &&
           selection.find('\0') == std::string_view::npos;
}

RowCount CountSelectedRows(SQLHSTMT statement, const std::string& selection,
                           const std::vector<std::string>& parameters) {
    RowCount count;
    OdbcText text = ToOdbcText(selection);
    if (!SQL_SUCCEEDED(SQLPrepareW(statement, text.data(), static_cast<SQLINTEGER>(text.size() - 1)))) {
        count.failedCall = "SQLPrepareW";
        return count;
    }
    // Each text goes with its length, so that nothing inside it ends it early.
    std::vector<OdbcText> buffers(parameters.size());
    std::vector<SQLLEN> lengths(parameters.size());
    for (std::size_t index = 0; index < parameters.size(); ++index) {
        buffers[index] = ToOdbcText(parameters[index]);
        const std::size_t units = buffers[index].size() - 1;
        lengths[index] = static_cast<SQLLEN>(units * sizeof(SQLWCHAR));
        const SQLRETURN bound = SQLBindParameter(
            statement, static_cast<SQLUSMALLINT>(index + 1), SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_VARCHAR,
            std::max<SQLULEN>(units, 1), 0, buffers[index].data(),
            static_cast<SQLLEN>(buffers[index].size() * sizeof(SQLWCHAR)), &lengths[index]);
        if (!SQL_SUCCEEDED(bound)) {
            count.failedCall = "SQLBindParameter";
            return count;
        }
    }
    if (!SQL_SUCCEEDED(SQLExecute(statement))) {
        count.failedCall = "SQLExecute";
        return count;
    }
    SQLRETURN fetched;
    while (SQL_SUCCEEDED(fetched = SQLFetch(statement))) ++count.rows;
    if (fetched != SQL_NO_DATA) count.failedCall = "SQLFetch";
    return count;
}

}  // namespace dbAx::provider
