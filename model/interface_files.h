// The two interface files as tables, derived from the field catalogue so that
// the schema can never disagree with it: AIP32 holds the 56 header columns,
// AIP33 the line keys and the 37 line columns.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/com.h"

namespace veldmark {

struct ColumnType {
    enum Kind { Char, Decimal } kind = Char;
    int length = 0;  // characters of a CHAR, precision of a DECIMAL
    int scale = 0;   // DECIMAL only
};

// Reads "CHAR(n)" and "DECIMAL(p, s)" (the blank after the comma optional).
std::optional<ColumnType> ParseSqlType(std::u16string_view sqlType);

struct InterfaceColumn {
    std::string name;
    ColumnType type;
};

struct InterfaceFile {
    std::string name;  // "AIP32" or "AIP33"
    std::vector<InterfaceColumn> columns;
    // What ties an invoice's header and lines together: company and
    // supplier, invoice number, record type.
    std::vector<std::string> keyColumns;
};

const InterfaceFile& HeaderFile();
const InterfaceFile& LineFile();

// "CHAR(7)", "DECIMAL(11,3)": the type as a column declaration.
std::string ColumnDeclaration(const ColumnType& type);

// CREATE TABLE for the file inside the library (schema). Columns are NOT NULL
// with blank or zero defaults, as on the real system; the text is plain SQL
// that both the embedded database and PostgreSQL accept.
std::string CreateTableSql(const InterfaceFile& file, std::string_view library);

}  // namespace veldmark
