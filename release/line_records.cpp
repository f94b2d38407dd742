#include "release/line_records.h"

#include <exception>

#include "data_access/ax_recordset.h"
#include "release/report_message.h"

namespace veldmark {
namespace {

void AssignSlot(dbAx::CAxRecordset& lines, const LineSlot& slot) {
    for (const auto& [field, value] : slot) {
        Text text = value;
        lines.SetField(field, text);
    }
}

// Adds, fills and commits record k; false when it failed and was cancelled.
bool WriteRecord(dbAx::CAxRecordset& lines, const LineSlots& slots, std::int64_t k, std::int64_t n) {
    try {
        lines.AddNew();
        if (k >= 1) AssignSlot(lines, slots[0]);
        AssignSlot(lines, slots[static_cast<std::size_t>(k)]);
        lines.Update();
        return true;
    } catch (const dbAx::CAxException& error) {
        reportMessage(line::UpdatingLineRecord, 1, u"Error Updating AIP33 record %d of %d: %s",
                      {k, n, error.description});
    } catch (const std::exception&) {
        reportMessage(line::GeneralUpdatingLineRecord, 1, u"General Error Updating AIP33 record %d of %d", {k, n});
    }
    lines.CancelUpdate();  // a failure here ends the writing of lines
    return false;
}

}  // namespace

bool writeLineRecords(dbAx::CAxConnection& connection, const Text& apiLibrary, const LineSlots& slots,
                      SanitiseSettings sanitise) {
    const std::int64_t n = static_cast<std::int64_t>(slots.size()) - 1;
    dbAx::CAxRecordset lines;
    try {
        OpenInterfaceFile(lines, connection, apiLibrary, u"AIP33", sanitise);
    } catch (const dbAx::CAxException& error) {
        reportMessage(line::CreatingLineRecord, 1, u"Error Creating AIP33 Record: %s", {error.description});
        lines.Dispose();
        return false;
    } catch (const std::exception&) {
        reportMessage(line::GeneralCreatingLineRecord, 1, u"General Error Creating AIP33 Record");
        lines.Dispose();
        return false;
    }

    bool succeeded = true;
    try {
        for (std::int64_t k = 0; k <= n; ++k) {
            if (k == 0 && n != 0) continue;  // slot 0 is a record of its own only when alone
            if (!WriteRecord(lines, slots, k, n)) succeeded = false;
        }
    } catch (const dbAx::CAxException& error) {
        reportMessage(line::UpdatingLines, 1, u"Error Updating AIP33: %s", {error.description});
        succeeded = false;
    } catch (const std::exception&) {
        reportMessage(line::GeneralUpdatingLines, 1, u"General Error Updating AIP33");
        succeeded = false;
    }
    lines.Dispose();
    return succeeded;
}

}  // namespace veldmark
