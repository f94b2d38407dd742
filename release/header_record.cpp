#include "release/header_record.h"

#include <exception>

#include "data_access/platform/database.h"
#include "release/report_message.h"

namespace veldmark {

void OpenInterfaceFile(dbAx::CAxRecordset& recordset, dbAx::CAxConnection& connection, const Text& apiLibrary,
                       const char16_t* file, SanitiseSettings sanitise) {
    recordset.codePage = sanitise.codePage;
    recordset.replacementChar = sanitise.replacementChar;
    recordset.Create();  // a failure surfaces in the next step
    recordset.CursorType(dbAx::platform::adOpenForwardOnly);
    recordset.CacheSize(1);
    recordset.Open(kfx::FormatText(u"SELECT * FROM %s.%s WHERE 1=0", {apiLibrary, Text(file)}), &connection);
    recordset.MarshalOptions(dbAx::platform::adMarshalModifiedOnly);
}

void OpenHeaderRecord(dbAx::CAxRecordset& header, dbAx::CAxConnection& connection, const Text& apiLibrary,
                      SanitiseSettings sanitise) {
    OpenInterfaceFile(header, connection, apiLibrary, u"AIP32", sanitise);
    header.AddNew();
}

bool updateHeader(dbAx::CAxRecordset& header) {
    try {
        header.Update();
        return true;
    } catch (const dbAx::CAxException& error) {
        reportMessage(line::UpdatingHeader, 1, u"Error Updating AIP32: %s", {error.description});
    } catch (const std::exception&) {
        reportMessage(line::GeneralUpdatingHeader, 1, u"General Error Updating AIP32");
    }
    return false;
}

}  // namespace veldmark
