// How the providers convert a text assigned to a column, as strictly as the
// real system converts it. Both providers refuse at assignment what cannot be
// converted, so a refused value never reaches a row; the embedded provider
// stores the converted text, the ODBC provider sends the text as given and
// leaves the rest to the server.
// - Any value holding U+0000 is refused: a database stores the text up to it,
//   or none of it, so the value would arrive cut without a word.
// - CHAR(n): refused when longer than n characters, unless everything past
//   the n-th character is blanks (those are cut).
// - DECIMAL(p,s) and NUMERIC(p,s): blanks around the text are ignored; the
//   rest must be an optional sign, digits and at most one '.', with at
//   least one digit (so the empty text is refused); refused when it has
//   more than p-s integer digits; fraction digits past s are cut
//   (truncation, not rounding). Stored as the shortest plain decimal text
//   ("-12.5"), which the database keeps as an exact number.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "data_access/provider/backend.h"

namespace dbAx::provider {

struct Refusal {
    Result result;        // DB_E_DATAOVERFLOW or DB_E_CANTCONVERTVALUE
    std::string message;  // names the value, the column (table.column) and its type
};

// On success *stored holds what to store; table names the column's table in the message.
std::optional<Refusal> ConvertValue(std::string_view table, const ColumnDescription& column, std::string_view text,
                                    std::string* stored);

}  // namespace dbAx::provider
