#include "data_access/provider/odbc_result_columns.h"

#include "odbc_api.h"

#include "data_access/provider/odbc_text.h"

namespace dbAx::provider {
namespace {

constexpr SQLSMALLINT kNameUnits = 256;

// A text attribute of a column; false when the call fails.
bool TextAttribute(SQLHSTMT statement, SQLUSMALLINT column, SQLUSMALLINT attribute, std::string* text) {
    SQLWCHAR buffer[kNameUnits] = {};
    SQLSMALLINT bytes = 0;
    const SQLRETURN rc = SQLColAttributeW(statement, column, attribute, buffer, sizeof buffer, &bytes, nullptr);
    if (!SQL_SUCCEEDED(rc)) return false;
    *text = FromOdbcText(buffer, kNameUnits);
    return true;
}

bool NumberAttribute(SQLHSTMT statement, SQLUSMALLINT column, SQLUSMALLINT attribute, SQLLEN* number) {
    return SQL_SUCCEEDED(SQLColAttributeW(statement, column, attribute, nullptr, 0, nullptr, number));
}

}  // namespace

const char* DescribeResultColumns(SQLHSTMT statement, std::vector<OdbcResultColumn>* columns) {
    SQLSMALLINT count = 0;
    if (!SQL_SUCCEEDED(SQLNumResultCols(statement, &count))) return "SQLNumResultCols";
    columns->clear();
    for (SQLUSMALLINT number = 1; number <= static_cast<SQLUSMALLINT>(count); ++number) {
        OdbcResultColumn column;
        SQLWCHAR name[kNameUnits] = {};
        SQLSMALLINT nameUnits = 0;
        SQLSMALLINT nullable = SQL_NULLABLE_UNKNOWN;
        if (!SQL_SUCCEEDED(SQLDescribeColW(statement, number, name, kNameUnits, &nameUnits, &column.sqlType,
                                           &column.size, &column.digits, &nullable))) {
            return "SQLDescribeColW";
        }
        column.name = FromOdbcText(name, kNameUnits);
        column.nullable = nullable != SQL_NO_NULLS;
        SQLLEN updatable = SQL_ATTR_READWRITE_UNKNOWN;
        std::string schema;
        std::string catalog;
        if (!TextAttribute(statement, number, SQL_DESC_BASE_COLUMN_NAME, &column.baseName) ||
            !TextAttribute(statement, number, SQL_DESC_BASE_TABLE_NAME, &column.baseTable) ||
            !TextAttribute(statement, number, SQL_DESC_SCHEMA_NAME, &schema) ||
            !TextAttribute(statement, number, SQL_DESC_CATALOG_NAME, &catalog) ||
            !NumberAttribute(statement, number, SQL_DESC_UPDATABLE, &updatable)) {
            return "SQLColAttributeW";
        }
        column.library = schema.empty() ? catalog : schema;
        column.readOnly = updatable == SQL_ATTR_READONLY;
        columns->push_back(std::move(column));
    }
    return nullptr;
}

}  // namespace dbAx::provider
