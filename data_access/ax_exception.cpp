#include "data_access/ax_exception.h"

#include <cinttypes>
#include <cstdio>

#include "data_access/ax_connection.h"
#include "data_access/ax_library.h"
#include "data_access/result_text.h"
#include "host/utf8.h"

namespace dbAx {
namespace {

const char16_t* FixedText(std::int32_t code) {
    switch (code) {
        case AxInitFailed: return u"The dbAx Library failed to initialize";
        case AxFieldNotFound: return u"The specified field in the database was not found";
        case AxNotOpen: return u"The dbAx object is not open";
        case AxBufferTooSmall: return u"The specified buffer size is too small";
        case AxBadPointer: return u"Bad or NULL pointer";
        case AxBadEnumeration: return u"Invalid enumeration value";
        case AxBadPosition: return u"Invalid page or record position";
        case AxCloseFailed: return u"The dbAx Library failed to close";
        default: return u"Unknown error";
    }
}

void AppendComError(CAxException& error) {
    if (error.result != 0) error.description += u"\nCOM Error: " + ResultText(error.result);
}

// Appends the records of the first listed connection that has any, then
// clears them so that they are never reported twice.
void FoldErrorRecords(CAxException& error) {
    platform::Errors* taken = nullptr;
    std::int32_t count = 0;
    for (CAxConnection* connection : library::Connections()) {
        platform::Connection* platformConnection = connection->PlatformConnection();
        platform::Errors* errors = nullptr;
        if (!platformConnection || kfx::Failed(platformConnection->GetErrors(&errors)) || !errors) continue;
        std::int32_t records = 0;
        if (kfx::Failed(errors->Count(&records))) continue;
        if (records > 0) {
            taken = errors;
            count = records;
            break;
        }
    }
    for (std::int32_t i = 0; i < count; ++i) {
        platform::ErrorRecord record;
        if (kfx::Failed(taken->Item(i, &record))) continue;
        error.code = record.number;
        error.description += u"\n" + record.description;
        if (i < count - 1) error.description += u"\n";
    }
    AppendComError(error);
    if (taken) taken->Clear();
}

}  // namespace

void RaiseAxError(std::int32_t code, const Text& source, HRESULT result) {
    CAxException error{code, {}, result};
    if (code == AxPlatformError) {
        error.description = source;
        FoldErrorRecords(error);
        throw error;
    }
    if (code == AxFieldAssignment) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, " (Error Code: 0x%08" PRIx32 ")", static_cast<std::uint32_t>(result));
        error.description = source + kfx::FromUtf8(suffix);
        throw error;
    }
    error.description = FixedText(code);
    AppendComError(error);
    if (!source.empty()) error.description += u"\nSource: " + source;
    throw error;
}

}  // namespace dbAx
