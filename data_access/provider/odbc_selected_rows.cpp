#include "data_access/provider/odbc_selected_rows.h"

#include "odbc_api.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "data_access/provider/odbc_text.h"

namespace dbAx::provider {
namespace {

// The column's value as text, in as many parts as the driver needs: a part
// that filled the buffer is followed by the rest.
bool ReadColumn(SQLHSTMT statement, SQLUSMALLINT column, std::optional<std::string>* value) {
    std::vector<SQLWCHAR> whole;
    SQLWCHAR part[256];
    constexpr std::size_t kRoom = sizeof part / sizeof part[0] - 1;  // one unit for the terminating zero
    for (;;) {
        SQLLEN length = 0;
        const SQLRETURN read = SQLGetData(statement, column, SQL_C_WCHAR, part, sizeof part, &length);
        if (read == SQL_NO_DATA) break;
        if (!SQL_SUCCEEDED(read)) return false;
        if (length == SQL_NULL_DATA) {
            value->reset();
            return true;
        }
        const bool cut = read == SQL_SUCCESS_WITH_INFO &&
                         (length == SQL_NO_TOTAL || length > static_cast<SQLLEN>(kRoom * sizeof(SQLWCHAR)));
        whole.insert(whole.end(), part, part + (cut ? kRoom : static_cast<std::size_t>(length) / sizeof(SQLWCHAR)));
        if (!cut) break;
    }
    *value = FromOdbcText(whole.data(), whole.size());
    return true;
}

}  // namespace

bool IsOneSelect(std::string_view selection) {
    const std::size_t start = selection.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos || selection.size() - start < 7) return false;
    std::string keyword(selection.substr(start, 7));
    std::transform(keyword.begin(), keyword.end(), keyword.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return keyword == "SELECT " && selection.find(';') == std::string_view::npos &&
           selection.find('\0') == std::string_view::npos;
}

SelectedRows ReadSelectedRows(SQLHSTMT statement, const std::string& selection,
                              const std::vector<std::string>& parameters) {
    SelectedRows count;
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
    SQLSMALLINT columns = 0;
    if (!SQL_SUCCEEDED(SQLNumResultCols(statement, &columns))) {
        count.failedCall = "SQLNumResultCols";
        return count;
    }
    SQLRETURN fetched;
    while (SQL_SUCCEEDED(fetched = SQLFetch(statement))) {
        TextRow& row = count.rows.emplace_back();
        for (SQLUSMALLINT column = 1; column <= static_cast<SQLUSMALLINT>(columns); ++column) {
            if (!ReadColumn(statement, column, &row.emplace_back())) {
                count.failedCall = "SQLGetData";
                return count;
            }
        }
    }
    if (fetched != SQL_NO_DATA) count.failedCall = "SQLFetch";
    return count;
}

}  // namespace dbAx::provider
