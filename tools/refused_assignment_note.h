// The host's own explanation of a value the database refused when it was
// assigned: the component's message names the field and the value, and the
// interface files tell the column's type, which the user needs to mend it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace standin {

// "the column AIP32.INVN32 is CHAR(7)" for a message of a refused header or
// line assignment ("Error in readVariables: Failed to set Field 'INVN32' ...",
// "Error Updating AIP33 record 2 of 3: Failed to set Field ..."); nothing for
// any other message or a field the file does not have.
std::optional<std::string> RefusedAssignmentNote(std::string_view message);

}  // namespace standin
