// The one AIP32 row of a document: opened before any value is read,
// committed after every line record.
#pragma once

#include "data_access/ax_connection.h"
#include "data_access/ax_recordset.h"

namespace veldmark {

using kfx::Text;

struct SanitiseSettings {
    std::uint32_t codePage = 0;
    char16_t replacementChar = 0;
};

// Prepares a recordset on an empty selection of the file and opens it; the
// steps every interface file is opened with.
void OpenInterfaceFile(dbAx::CAxRecordset& recordset, dbAx::CAxConnection& connection, const Text& apiLibrary,
                       const char16_t* file, SanitiseSettings sanitise);

// Opens the header file and adds the pending row.
void OpenHeaderRecord(dbAx::CAxRecordset& header, dbAx::CAxConnection& connection, const Text& apiLibrary,
                      SanitiseSettings sanitise);

// Commits the pending header row; reports its own failure.
bool updateHeader(dbAx::CAxRecordset& header);

}  // namespace veldmark
