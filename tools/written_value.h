// A header value as the component writes it, and as the database gives it
// back, each in one form, so that the two compare: a CHAR without its
// trailing blanks, a number as its shortest plain decimal text ("-12.5"),
// however the database prints it ("-12.500", "1.25e1").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "data_access/provider/column_description.h"
#include "host/com.h"

namespace standin {

struct WritingSettings {
    std::uint32_t codePage = 0;
    char16_t replacementChar = 0;
};

// Sanitised, then converted as the providers convert it; nullopt when the
// column refuses it, so that no row holds it. Raises dbAx::UnusableCodePage.
std::optional<std::string> AsWritten(const dbAx::provider::ColumnDescription& column, const kfx::Text& value,
                                     WritingSettings settings);

// nullopt for NULL, and for a number that is no decimal number.
std::optional<std::string> AsRead(const dbAx::provider::ColumnDescription& column,
                                  const std::optional<std::string>& read);

// The shortest plain decimal text of a number written with an optional sign,
// digits, at most one '.' and an optional exponent, blanks around it
// ignored; nullopt for anything else.
std::optional<std::string> PlainDecimal(std::string_view text);

}  // namespace standin
