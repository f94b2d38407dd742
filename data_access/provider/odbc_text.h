// Texts for the wide-character ODBC calls: SQLWCHAR is a UTF-16 unit on
// unixODBC (and on Windows), the texts of this layer are UTF-8.
#pragma once

#include "odbc_api.h"

#include <string>
#include <string_view>
#include <vector>

namespace dbAx::provider {

static_assert(sizeof(SQLWCHAR) == 2, "the ODBC wide-character calls must take UTF-16 units");

// UTF-16, terminated by a zero unit.
using OdbcText = std::vector<SQLWCHAR>;

OdbcText ToOdbcText(std::string_view utf8);
// The units of a text without its terminating zero, as the calls take a
// length: every text goes with its length, so that a zero unit inside it
// is passed on, never taken for its end.
inline std::size_t Units(const OdbcText& text) { return text.size() - 1; }
// The units up to the first zero unit or the given count, whichever comes first.
std::string FromOdbcText(const SQLWCHAR* units, std::size_t count);

}  // namespace dbAx::provider
