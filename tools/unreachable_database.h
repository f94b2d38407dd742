// Whether a document's message says that the database could not be reached:
// the stop rule of a release counts such documents in a row.
#pragma once

#include <string_view>

namespace standin {

// The connection could not be opened, was refused or broken on the way, or
// the provider counts it lost; a value or a statement the server refused is
// not among them.
bool SaysTheDatabaseIsUnreachable(std::string_view message);

}  // namespace standin
