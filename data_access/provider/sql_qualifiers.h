// The names that qualify other names in an SQL text ("LIB" in
// "SELECT * FROM LIB.AIP32"), so that the embedded database can attach the
// libraries a statement refers to before it is prepared.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dbAx::provider {

// Every identifier, plain or quoted, that a '.' follows, outside string
// literals and comments; quoted ones without their quotes. In text order,
// repeats included.
std::vector<std::string> QualifierNames(std::string_view sql);

}  // namespace dbAx::provider
