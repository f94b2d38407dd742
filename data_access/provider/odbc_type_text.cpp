#include "data_access/provider/odbc_type_text.h"

namespace dbAx::provider {

std::string OdbcTypeText(SQLSMALLINT sqlType) {
    struct Named {
        SQLSMALLINT type;
        const char* name;
    };
    static constexpr Named kTypes[] = {
        {SQL_CHAR, "SQL_CHAR"},
        {SQL_VARCHAR, "SQL_VARCHAR"},
        {SQL_LONGVARCHAR, "SQL_LONGVARCHAR"},
        {SQL_WCHAR, "SQL_WCHAR"},
        {SQL_WVARCHAR, "SQL_WVARCHAR"},
        {SQL_WLONGVARCHAR, "SQL_WLONGVARCHAR"},
        {SQL_DECIMAL, "SQL_DECIMAL"},
        {SQL_NUMERIC, "SQL_NUMERIC"},
        {SQL_SMALLINT, "SQL_SMALLINT"},
        {SQL_INTEGER, "SQL_INTEGER"},
        {SQL_REAL, "SQL_REAL"},
        {SQL_FLOAT, "SQL_FLOAT"},
        {SQL_DOUBLE, "SQL_DOUBLE"},
        {SQL_BIT, "SQL_BIT"},
        {SQL_TINYINT, "SQL_TINYINT"},
        {SQL_BIGINT, "SQL_BIGINT"},
        {SQL_BINARY, "SQL_BINARY"},
        {SQL_VARBINARY, "SQL_VARBINARY"},
        {SQL_LONGVARBINARY, "SQL_LONGVARBINARY"},
        {SQL_TYPE_DATE, "SQL_TYPE_DATE"},
        {SQL_TYPE_TIME, "SQL_TYPE_TIME"},
        {SQL_TYPE_TIMESTAMP, "SQL_TYPE_TIMESTAMP"},
        {SQL_GUID, "SQL_GUID"},
    };
    for (const Named& named : kTypes) {
        if (named.type == sqlType) return std::string(named.name) + " (" + std::to_string(sqlType) + ")";
    }
    return std::to_string(sqlType);
}

}  // namespace dbAx::provider
