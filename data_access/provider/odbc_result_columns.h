// What the driver tells about the columns of an executed selection: name,
// type, nullability, updatability, and which table of which schema each
// column comes from.
#pragma once

#include "odbc_api.h"

#include <string>
#include <vector>

namespace dbAx::provider {

struct OdbcResultColumn {
    std::string name;       // as the driver reports it (PostgreSQL: lower case)
    std::string baseName;   // the column of the table it reads; empty when the driver does not say
    std::string baseTable;  // empty when the driver does not say
    // The schema (library) of the table, or its catalog where the driver
    // reports the library there (MariaDB's and MySQL's drivers); empty when
    // the driver says neither.
    std::string library;
    SQLSMALLINT sqlType = SQL_UNKNOWN_TYPE;
    SQLULEN size = 0;  // characters, or the precision of a number
    SQLSMALLINT digits = 0;  // the scale of a number
    bool nullable = false;
    bool readOnly = false;
};

// The result columns of the executed statement, in order. On failure returns
// the name of the ODBC call that failed; its diagnostics are on the statement.
const char* DescribeResultColumns(SQLHSTMT statement, std::vector<OdbcResultColumn>* columns);

}  // namespace dbAx::provider
