// Turns the document's values into assignments on the pending header row and
// into the line slots.
#pragma once

#include <vector>

#include "data_access/ax_recordset.h"
#include "host/release_data.h"
#include "release/line_slots.h"

namespace veldmark {

// The parts of a destination such as "AIP32.INVN32".
struct DestinationParts {
    Text file;   // before the first '.', or the whole text
    Text field;  // between the first and the second '.', or to the end
};
DestinationParts SplitDestination(const Text& destination);

// The line keys under which a header field's value is put among the common
// line values as well ("INVN32" gives "INVN33"); none for other fields.
std::vector<Text> HeaderDerivedLineKeys(const Text& headerField);

// Fills the header row and the line slots; reports its own failures.
bool readVariables(kfx::IValues* values, dbAx::CAxRecordset& header, LineSlots& slots);

// Puts every row of a table value into the slot of its row number.
bool collectRowValues(kfx::IValue* value, const Text& field, LineSlots& slots);

void addCommonLineValue(LineSlots& slots, const Text& field, const Text& text);

}  // namespace veldmark
