#include "data_access/ax_recordset.h"

#include "data_access/ax_library.h"
#include "data_access/decimal_digits.h"
#include "data_access/destruction_failure.h"
#include "data_access/sanitise/sanitise.h"
#include "host/text_format.h"
#include "host/utf8.h"

namespace dbAx {
namespace {

constexpr std::int32_t kUnset = -2;

}  // namespace

CAxRecordset::~CAxRecordset() {
    DisposeFromDestructor([this] { Dispose(); });
}

HRESULT CAxRecordset::Create() {
    std::unique_ptr<platform::Recordset> created;
    HRESULT result = CurrentEnvironment().CreateRecordset(&created);
    if (kfx::Succeeded(result) && !created) result = kfx::HR_E_POINTER;
    if (kfx::Failed(result)) return result;
    recordset_ = std::move(created);
    return result;
}

std::int32_t CAxRecordset::Property(Setter set, Getter get, std::int32_t value, const char16_t* source) {
    // Without a platform recordset (a failed Create) the operation must fail.
    if (!recordset_) RaiseAxError(AxPlatformError, source, kfx::HR_E_POINTER);
    HRESULT result = (recordset_.get()->*set)(value);
    if (kfx::Failed(result)) RaiseAxError(AxPlatformError, source, result);
    std::int32_t read = 0;
    result = (recordset_.get()->*get)(&read);
    if (kfx::Failed(result)) RaiseAxError(AxPlatformError, source, result);
    return read;
}

std::int32_t CAxRecordset::CursorType(std::int32_t cursorType) {
    cursorType_ = Property(&platform::Recordset::SetCursorType, &platform::Recordset::CursorType, cursorType,
                           u"CAxRecordset::CursorType");
    return cursorType_;
}

std::int32_t CAxRecordset::CacheSize(std::int32_t size) {
    return Property(&platform::Recordset::SetCacheSize, &platform::Recordset::CacheSize, size,
                    u"CAxRecordset::CacheSize");
}

std::int32_t CAxRecordset::CursorLocation(std::int32_t location) {
    return Property(&platform::Recordset::SetCursorLocation, &platform::Recordset::CursorLocation, location,
                    u"CAxRecordset::CursorLocation");
}

std::int32_t CAxRecordset::MarshalOptions(std::int32_t options) {
    return Property(&platform::Recordset::SetMarshalOptions, &platform::Recordset::MarshalOptions, options,
                    u"CAxRecordset::MarshalOptions");
}

void CAxRecordset::ReleasePlatformRecordset() {
    fields_ = nullptr;
    recordset_.reset();
}

void CAxRecordset::ReleaseAndRaise(HRESULT result) {
    ReleasePlatformRecordset();
    RaiseAxError(AxPlatformError, u"CAxRecordset::Open", result);
}

void CAxRecordset::Open(const Text& source, CAxConnection* connection) {
    if (!recordset_) {
        const HRESULT created = Create();
        if (kfx::Failed(created)) RaiseAxError(AxInitFailed, u"CAxRecordset::Open", created);
    }
    if (!source.empty()) source_ = source;
    if (connection) connection_ = connection->PlatformConnection();

    HRESULT result = recordset_->SetSource(source_);
    if (kfx::Failed(result)) ReleaseAndRaise(result);
    result = recordset_->SetActiveConnection(connection_);
    if (kfx::Failed(result)) ReleaseAndRaise(result);

    const std::int32_t cursorType = cursorType_ == kUnset ? platform::adOpenForwardOnly : cursorType_;
    const std::int32_t lockType = lockType_ == kUnset ? platform::adLockOptimistic : lockType_;
    CursorLocation(platform::adUseClient);

    result = recordset_->Open(source_, connection_, cursorType, lockType, platform::adOptionUnspecified);
    if (kfx::Failed(result)) ReleaseAndRaise(result);
    platform::Fields* fields = nullptr;
    result = recordset_->GetFields(&fields);
    if (kfx::Failed(result)) ReleaseAndRaise(result);
    fields_ = fields;
    ExchangeFields(false);
}

void CAxRecordset::AddNew() {
    if (!recordset_) RaiseAxError(AxPlatformError, u"CAxRecordset::Supports", kfx::HR_E_POINTER);
    bool supported = false;
    HRESULT result = recordset_->Supports(platform::adAddNew, &supported);
    if (kfx::Failed(result)) RaiseAxError(AxPlatformError, u"CAxRecordset::Supports", result);
    if (!supported) return;
    result = recordset_->AddNew();
    if (kfx::Failed(result)) RaiseAxError(AxPlatformError, u"CAxRecordset::Properties", result);
}

bool CAxRecordset::SetField(const Text& name, Text& value) {
    platform::Field* field = nullptr;
    std::int32_t type = 0;
    std::uint8_t precision = 0;
    if (fields_ && kfx::Succeeded(fields_->Item(name, &field)) && field && kfx::Succeeded(field->Type(&type)) &&
        type == platform::adDecimal && kfx::Succeeded(field->Precision(&precision))) {
        // Only digits count, in whatever script: signs, separators and blanks
        // do not take a place.
        const std::size_t digits = CountDecimalDigits(value);
        if (digits > precision) {
            RaiseAxError(AxFieldAssignment,
                         kfx::FormatText(u"Invalid number of digits in decimal Field '%s' (%d > %d)",
                                         {name, static_cast<std::int64_t>(digits), std::int64_t{precision}}),
                         0);
        }
    }

    field = nullptr;
    if (!fields_ || kfx::Failed(fields_->Item(name, &field)) || !field) return true;
    std::int32_t attributes = 0;
    HRESULT result = field->Attributes(&attributes);
    if (kfx::Succeeded(result)) {
        if (!(attributes & (platform::adFldUpdatable | platform::adFldUnknownUpdatable))) {
            bool atStart = false, atEnd = false;
            const bool empty = kfx::Succeeded(recordset_->BOF(&atStart)) &&
                               kfx::Succeeded(recordset_->EndOfFile(&atEnd)) && atStart && atEnd;
            if (!empty) {
                std::optional<Text> current;
                result = field->Value(&current);
                if (kfx::Succeeded(result) && current) value = *current;
            }
        } else {
            Text sanitised;
            try {
                sanitised = SanitiseText(value, codePage, replacementChar);
            } catch (const UnusableCodePage& problem) {
                RaiseAxError(AxFieldAssignment, problem.Message(), kfx::HR_E_INVALIDARG);
            }
            result = field->SetValue(sanitised);
        }
    }
    if (kfx::Failed(result)) {
        RaiseAxError(AxFieldAssignment, kfx::FormatText(u"Failed to set Field '%s' to value '%s'", {name, value}), result);
    }
    return true;
}

bool CAxRecordset::HasField(const Text& name) const {
    platform::Field* field = nullptr;
    return fields_ && kfx::Succeeded(fields_->Item(name, &field)) && field;
}

void CAxRecordset::Update() {
    ExchangeFields(true);
    if (!recordset_) RaiseAxError(AxPlatformError, u"CAxRecordset::Supports", kfx::HR_E_POINTER);
    bool supported = false;
    HRESULT result = recordset_->Supports(platform::adResync, &supported);
    if (kfx::Failed(result)) RaiseAxError(AxPlatformError, u"CAxRecordset::Supports", result);
    if (supported) {
        result = recordset_->Resync(platform::adAffectCurrent, platform::adResyncUnderlyingValues);
        if (kfx::Failed(result)) result = recordset_->Resync(platform::adAffectCurrent, platform::adResyncAllValues);
        if (kfx::Failed(result)) RaiseAxError(AxPlatformError, u"CAxRecordset::Update", result);
    }
    result = recordset_->Supports(platform::adUpdate, &supported);
    if (kfx::Failed(result)) RaiseAxError(AxPlatformError, u"CAxRecordset::Supports", result);
    if (!supported) return;
    result = recordset_->Update();
    if (kfx::Failed(result)) RaiseAxError(AxPlatformError, u"CAxRecordset::Update", result);
}

void CAxRecordset::CancelUpdate() {
    if (!recordset_) RaiseAxError(AxPlatformError, u"CAxRecordset::CancelUpdate", kfx::HR_E_POINTER);
    std::int32_t mode = platform::adEditNone;
    HRESULT result = recordset_->EditMode(&mode);
    if (kfx::Failed(result)) RaiseAxError(AxPlatformError, u"CAxRecordset::CancelUpdate", result);
    if (mode != platform::adEditInProgress && mode != platform::adEditAdd) return;
    result = recordset_->CancelUpdate();
    if (kfx::Failed(result)) RaiseAxError(AxPlatformError, u"CAxRecordset::CancelUpdate", result);
}

bool CAxRecordset::IsOpen() {
    std::int32_t state = platform::adStateClosed;
    if (kfx::Failed(recordset_->State(&state))) RaiseAxError(AxPlatformError, Text(), 0);
    return state == platform::adStateOpen;
}

void CAxRecordset::Close() {
    if (!recordset_ || !IsOpen()) return;
    recordset_->MoveFirst();  // its result does not matter
    const HRESULT result = recordset_->Close();
    if (kfx::Failed(result)) RaiseAxError(AxCloseFailed, u"CAxRecordset::Close", result);
}

void CAxRecordset::Dispose() {
    if (!recordset_) return;
    struct Release {
        CAxRecordset* self;
        ~Release() {
            self->ReleasePlatformRecordset();
            self->source_.clear();
        }
    } release{this};
    Close();
}

}  // namespace dbAx
