// What a backend tells about one column of a selection: enough for the
// recordset to report the field and for the backend to convert values.
#pragma once

#include <string>

namespace dbAx::provider {

enum class ColumnKind { Char, WideChar, Decimal, Numeric };

struct ColumnDescription {
    std::string name;  // as the database declares it
    ColumnKind kind = ColumnKind::Char;
    int length = 0;  // characters of a CHAR, precision of a DECIMAL or NUMERIC
    int scale = 0;   // DECIMAL and NUMERIC only
    bool nullable = false;
    bool updatable = true;  // false for columns the database computes
};

// "CHAR(7)", "DECIMAL(11,3)": the type as the column declares it.
std::string TypeText(const ColumnDescription& column);

}  // namespace dbAx::provider
