// Writes the document's AIP33 rows, each committed on its own.
#pragma once

#include "data_access/ax_connection.h"
#include "release/header_record.h"
#include "release/line_slots.h"

namespace veldmark {

// Reports every failure itself. A failure to close the recordset at the end
// is raised to the caller.
bool writeLineRecords(dbAx::CAxConnection& connection, const Text& apiLibrary, const LineSlots& slots,
                      SanitiseSettings sanitise);

}  // namespace veldmark
