#include "data_access/provider/column_description.h"

namespace dbAx::provider {

std::string TypeText(const ColumnDescription& column) {
    const std::string length = std::to_string(column.length);
    switch (column.kind) {
        case ColumnKind::Char: return "CHAR(" + length + ")";
        case ColumnKind::WideChar: return "NCHAR(" + length + ")";
        case ColumnKind::Decimal: return "DECIMAL(" + length + "," + std::to_string(column.scale) + ")";
        case ColumnKind::Numeric: return "NUMERIC(" + length + "," + std::to_string(column.scale) + ")";
    }
    return "?";
}

}  // namespace dbAx::provider
