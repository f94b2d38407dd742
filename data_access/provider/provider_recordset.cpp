#include "data_access/provider/provider_recordset.h"


#include "data_access/provider/ascii_case.h"
#include "data_access/provider/provider_connection.h"
#include "data_access/provider/value_conversion.h"
#include "host/utf8.h"
#include "model/interface_files.h"

namespace dbAx::provider {
namespace {

constexpr std::int32_t kSupportedOptions = platform::adAddNew | platform::adUpdate;

// Servers report the name in their own case (PostgreSQL in lower case).
bool IsLineFile(const std::string& table) { return EqualIgnoringAsciiCase(table, veldmark::LineFile().name); }

Result Read(std::int32_t property, std::int32_t* value) {
    if (!value) return kfx::HR_E_POINTER;
    *value = property;
    return kfx::HR_S_OK;
}

Result ReadFlag(bool flag, bool* value) {
    if (!value) return kfx::HR_E_POINTER;
    *value = flag;
    return kfx::HR_S_OK;
}

}  // namespace

ProviderRecordset::~ProviderRecordset() {
    if (IsOpen()) Close();
}

Result ProviderRecordset::SetSource(const Text& source) {
    if (IsOpen()) return platform::E_ADO_OBJECTOPEN;
    source_ = source;
    return kfx::HR_S_OK;
}

Result ProviderRecordset::SetActiveConnection(platform::Connection* connection) {
    if (IsOpen()) return platform::E_ADO_OBJECTOPEN;
    auto* ours = dynamic_cast<ProviderConnection*>(connection);
    if (connection && !ours) return kfx::HR_E_INVALIDARG;  // a connection of another platform
    activeConnection_ = ours;
    return kfx::HR_S_OK;
}

Result ProviderRecordset::Open(const Text& source, platform::Connection* connection, std::int32_t cursorType,
                               std::int32_t /*lockType*/, std::int32_t /*options*/) {
    if (IsOpen()) return platform::E_ADO_OBJECTOPEN;
    if (!source.empty()) source_ = source;
    if (connection) {
        const Result result = SetActiveConnection(connection);
        if (kfx::Failed(result)) return result;
    }
    if (source_.empty()) return kfx::HR_E_INVALIDARG;
    if (!activeConnection_ || !activeConnection_->OpenSession()) return platform::E_ADO_OBJECTCLOSED;
    if (cursorType != platform::adOptionUnspecified) cursorType_ = cursorType;

    ErrorMessages messages;
    TableDescription table;
    const Result result = activeConnection_->Describe(kfx::ToUtf8(source_), &table, messages);
    if (kfx::Failed(result)) {
        activeConnection_->Errors().Report(result, messages);
        return result;
    }
    table_ = std::move(table);
    committing_ = !IsLineFile(table_.name);
    fields_.Describe(table_.columns);
    pending_ = false;
    connection_ = activeConnection_;
    connection_->Enlist(this);
    return kfx::HR_S_OK;
}

Result ProviderRecordset::GetFields(platform::Fields** fields) {
    if (!fields) return kfx::HR_E_POINTER;
    if (!IsOpen()) return platform::E_ADO_OBJECTCLOSED;
    *fields = &fields_;
    return kfx::HR_S_OK;
}

Result ProviderRecordset::Close() {
    if (!IsOpen()) return platform::E_ADO_OBJECTCLOSED;
    pending_ = false;
    connection_->Delist(this);
    connection_ = nullptr;
    return kfx::HR_S_OK;
}

Result ProviderRecordset::State(std::int32_t* state) {
    return Read(IsOpen() ? platform::adStateOpen : platform::adStateClosed, state);
}

Result ProviderRecordset::Supports(std::int32_t cursorOptions, bool* supported) {
    if (!IsOpen()) return platform::E_ADO_OBJECTCLOSED;
    return ReadFlag((cursorOptions & ~kSupportedOptions) == 0, supported);
}

Result ProviderRecordset::AddNew() {
    if (!IsOpen()) return platform::E_ADO_OBJECTCLOSED;
    if (pending_) {
        const Result result = Update();
        if (kfx::Failed(result)) return result;
    }
    pendingValues_.assign(table_.columns.size(), std::nullopt);
    pending_ = true;
    return kfx::HR_S_OK;
}

Result ProviderRecordset::Update() {
    if (!IsOpen()) return platform::E_ADO_OBJECTCLOSED;
    if (!pending_) return kfx::HR_S_OK;
    ErrorMessages messages;
    Result result = connection_->OpenSession()->Insert(table_, pendingValues_, messages);
    if (kfx::Succeeded(result) && committing_) result = connection_->CommitDocument(messages);
    if (kfx::Failed(result)) {
        connection_->Errors().Report(result, messages);
        return result;  // the row stays pending, so the caller can cancel it
    }
    pending_ = false;
    return kfx::HR_S_OK;
}

Result ProviderRecordset::CancelUpdate() {
    if (!IsOpen()) return platform::E_ADO_OBJECTCLOSED;
    pending_ = false;
    return kfx::HR_S_OK;
}

Result ProviderRecordset::Resync(std::int32_t /*affectRecords*/, std::int32_t /*resyncValues*/) {
    if (!IsOpen()) return platform::E_ADO_OBJECTCLOSED;
    return kfx::HR_E_NOTIMPL;
}

Result ProviderRecordset::EditMode(std::int32_t* mode) {
    if (!IsOpen()) return platform::E_ADO_OBJECTCLOSED;
    return Read(pending_ ? platform::adEditAdd : platform::adEditNone, mode);
}

Result ProviderRecordset::MoveFirst() {
    if (!IsOpen()) return platform::E_ADO_OBJECTCLOSED;
    return pending_ ? kfx::HR_S_OK : platform::E_ADO_NOCURRENTRECORD;
}

Result ProviderRecordset::BOF(bool* atStart) {
    if (!IsOpen()) return platform::E_ADO_OBJECTCLOSED;
    return ReadFlag(!pending_, atStart);
}

Result ProviderRecordset::EndOfFile(bool* atEnd) {
    if (!IsOpen()) return platform::E_ADO_OBJECTCLOSED;
    return ReadFlag(!pending_, atEnd);
}

// The access objects fix the cursor's type and location while open.
Result ProviderRecordset::SetCursorType(std::int32_t value) {
    if (IsOpen()) return platform::E_ADO_OBJECTOPEN;
    cursorType_ = value;
    return kfx::HR_S_OK;
}

Result ProviderRecordset::CursorType(std::int32_t* value) { return Read(cursorType_, value); }

Result ProviderRecordset::SetCacheSize(std::int32_t value) {
    if (value < 1) return kfx::HR_E_INVALIDARG;
    cacheSize_ = value;
    return kfx::HR_S_OK;
}

Result ProviderRecordset::CacheSize(std::int32_t* value) { return Read(cacheSize_, value); }

Result ProviderRecordset::SetCursorLocation(std::int32_t value) {
    if (IsOpen()) return platform::E_ADO_OBJECTOPEN;
    cursorLocation_ = value;
    return kfx::HR_S_OK;
}

Result ProviderRecordset::CursorLocation(std::int32_t* value) { return Read(cursorLocation_, value); }

Result ProviderRecordset::SetMarshalOptions(std::int32_t value) {
    marshalOptions_ = value;
    return kfx::HR_S_OK;
}

Result ProviderRecordset::MarshalOptions(std::int32_t* value) { return Read(marshalOptions_, value); }

Result ProviderRecordset::ReadValue(std::size_t column, std::optional<Text>* value) const {
    if (!IsOpen()) return platform::E_ADO_OBJECTCLOSED;
    if (!pending_) return platform::E_ADO_NOCURRENTRECORD;
    const std::optional<std::string>& assigned = pendingValues_[column];
    *value = assigned ? std::optional<Text>(kfx::FromUtf8(*assigned)) : std::nullopt;
    return kfx::HR_S_OK;
}

Result ProviderRecordset::WriteValue(std::size_t column, const Text& value) {
    if (!IsOpen()) return platform::E_ADO_OBJECTCLOSED;
    if (!pending_) return platform::E_ADO_NOCURRENTRECORD;
    if (!table_.columns[column].updatable) {
        connection_->ForgetDescriptions();
        connection_->Errors().Report(platform::DB_E_ERRORSOCCURRED,
                                     "Column " + table_.name + "." + table_.columns[column].name +
                                         " is computed by the database and cannot be assigned");
        return platform::DB_E_ERRORSOCCURRED;
    }
    // The client cursor converts at assignment, as the real provider's does:
    // a value it cannot convert is refused here and the row keeps what it had.
    // The call fails as a multiple-step operation; the record tells why.
    std::string text = kfx::ToUtf8(value);
    std::string converted;
    if (std::optional<Refusal> refusal = ConvertValue(table_.name, table_.columns[column], text, &converted)) {
        connection_->ForgetDescriptions();
        connection_->Errors().Report(refusal->result, refusal->message);
        return platform::DB_E_ERRORSOCCURRED;
    }
    pendingValues_[column] = std::move(text);
    return kfx::HR_S_OK;
}

}  // namespace dbAx::provider
