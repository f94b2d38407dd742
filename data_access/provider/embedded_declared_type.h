// The column types the embedded provider handles, read from the type a
// column declares: CHAR(n), CHARACTER(n), NCHAR(n), DECIMAL(p[,s]),
// DEC(p[,s]) and NUMERIC(p[,s]), in any case and spacing.
#pragma once

#include <optional>
#include <string_view>

#include "data_access/provider/column_description.h"

namespace dbAx::provider {

struct DeclaredType {
    ColumnKind kind = ColumnKind::Char;
    int length = 0;  // characters, or precision
    int scale = 0;
};

// nullopt for any other declaration, and for lengths below 1 or scales
// beyond the precision.
std::optional<DeclaredType> ParseDeclaredType(std::string_view declared);

}  // namespace dbAx::provider
