#include "release/release_document.h"

#include <exception>
#include <optional>

#include "data_access/ax_connection.h"
#include "data_access/ax_recordset.h"
#include "data_access/platform/database.h"
#include "release/header_record.h"
#include "release/line_records.h"
#include "release/release_settings.h"
#include "release/report_message.h"
#include "release/value_collection.h"

namespace veldmark {
namespace {

void ReportDataAccessError(const dbAx::CAxException& error) {
    // The close failure is not reported; the document still fails.
    if (error.code == dbAx::AxCloseFailed) return;
    reportMessage(line::ReleaseDoc, 1, u"Error in ReleaseDoc: %s", {error.description});
}

// Destroys what an earlier error left behind; a failure to close is a new
// failure and is reported like any other.
template <class Object>
void DisposeAfterError(std::optional<Object>& object) {
    if (!object) return;
    try {
        object->Dispose();
    } catch (const dbAx::CAxException& error) {
        ReportDataAccessError(error);
    }
    object.reset();
}

// The guarded region: true when everything was written.
bool Export(const ReleaseSettings& settings, kfx::IValues* values, std::optional<dbAx::CAxConnection>& connection,
            std::optional<dbAx::CAxRecordset>& header) {
    if (std::optional<Text> problem = SettingsProblem(settings)) {
        throw dbAx::CAxException{dbAx::AxPlatformError, *problem, kfx::HR_E_INVALIDARG};
    }
    // A negative code page was refused above: the unsigned number is the one set.
    const SanitiseSettings sanitise{static_cast<std::uint32_t>(settings.codePage), settings.replacementChar};
    const Text connectionText = kfx::FormatText(u"Provider=IBMDA400;Data source=%s;", {settings.server});

    connection.emplace();
    connection->Create();
    connection->CursorLocation(dbAx::platform::adUseClient);
    connection->Open(connectionText, settings.userName, settings.password);

    header.emplace();
    OpenHeaderRecord(*header, *connection, settings.apiLibrary, sanitise);

    LineSlots slots;
    bool written = false;
    if (!readVariables(values, *header, slots)) {
        header->CancelUpdate();
    } else if (writeLineRecords(*connection, settings.apiLibrary, slots, sanitise)) {
        written = updateHeader(*header);
    }
    // On the failure paths after collection the pending header row is left
    // to the close, which drops it.
    header->Dispose();
    header.reset();
    connection->Dispose();
    connection.reset();
    return written;
}

}  // namespace

kfx::KfxReturnValue ReleaseDocument(kfx::IReleaseData* data) {
    Text documentName;
    if (kfx::Failed(data->get_KofaxPDFFileName(&documentName))) documentName.clear();
    kfx::ComPtr<kfx::IValues> values;
    if (kfx::Failed(data->get_Values(values.Put())) || !values) {
        reportMessage(line::GetValues, 1, u"Failed to get values");
        return kfx::KFX_REL_ERROR;
    }
    std::optional<dbAx::CAxConnection> connection;
    std::optional<dbAx::CAxRecordset> header;
    ReleaseSettings settings;
    try {
        settings = ResolveReleaseSettings(data, values.Get(), documentName);
        if (!Export(settings, values.Get(), connection, header)) return kfx::KFX_REL_ERROR;
    } catch (const dbAx::CAxException& error) {
        ReportDataAccessError(error);
        DisposeAfterError(header);
        DisposeAfterError(connection);
        return kfx::KFX_REL_ERROR;
    } catch (const std::exception&) {
        reportMessage(line::GeneralReleaseDoc, 1, u"General Error in ReleaseDoc");
        DisposeAfterError(header);
        DisposeAfterError(connection);
        return kfx::KFX_REL_ERROR;
    }
    reportMessage(line::Released, 0, u"Document Released Successfully %s", {settings.documentName});
    return kfx::KFX_REL_SUCCESS;
}

}  // namespace veldmark
