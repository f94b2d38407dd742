// The generic recordset: opens a selection through its connection's
// backend session and adds rows to the selected table, one insert per
// Update. It holds no rows of the selection (which must select none, as
// "... WHERE 1=0" does); its only row is the pending new one.
//
// A document's rows are committed together: the rows of the line file wait
// for their header, and the Update of any other row (the header, the last
// row a document writes) commits every row written on the connection since
// the last commit (where the session holds rows; elsewhere each row is
// committed on its own). What is not committed when the connection closes is
// dropped, so a document that fails part way leaves no line behind.
//
// Behaviour worth knowing:
// - BOF and EOF are both true except while a new row is pending.
// - Assigning a value the column cannot take (value_conversion.h) fails
//   with DB_E_ERRORSOCCURRED and leaves the field as it was; what only the
//   database can judge (constraints, the server's own conversion) is
//   refused at Update.
// - Update inserts only the fields that were assigned; the others take the
//   table's defaults. Update and CancelUpdate without a pending row do
//   nothing.
// - Resync is not supported (Supports says so); Update does not need it.
// - MoveFirst stays on the pending row (never saving it); without one it
//   fails with E_ADO_NOCURRENTRECORD and changes nothing.
// - AddNew while a row is pending first updates that row, as the access
//   objects do.
// - Close drops a pending row unsaved, as the access objects drop an
//   unsaved new row; closing the connection closes its recordsets.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data_access/platform/database.h"
#include "data_access/provider/backend.h"
#include "data_access/provider/provider_fields.h"

namespace dbAx::provider {

class ProviderConnection;

class ProviderRecordset : public platform::Recordset {
public:
    ProviderRecordset() = default;
    ~ProviderRecordset() override;
    ProviderRecordset(const ProviderRecordset&) = delete;
    ProviderRecordset& operator=(const ProviderRecordset&) = delete;

    Result SetSource(const Text& source) override;
    Result SetActiveConnection(platform::Connection* connection) override;
    // The lock type and options are not used: every open recordset can add rows.
    Result Open(const Text& source, platform::Connection* connection, std::int32_t cursorType, std::int32_t lockType,
                std::int32_t options) override;
    Result GetFields(platform::Fields** fields) override;
    Result Close() override;
    Result State(std::int32_t* state) override;
    Result Supports(std::int32_t cursorOptions, bool* supported) override;
    Result AddNew() override;
    Result Update() override;
    Result CancelUpdate() override;
    Result Resync(std::int32_t affectRecords, std::int32_t resyncValues) override;
    Result EditMode(std::int32_t* mode) override;
    Result MoveFirst() override;
    Result BOF(bool* atStart) override;
    Result EndOfFile(bool* atEnd) override;

    Result SetCursorType(std::int32_t value) override;
    Result CursorType(std::int32_t* value) override;
    Result SetCacheSize(std::int32_t value) override;
    Result CacheSize(std::int32_t* value) override;
    Result SetCursorLocation(std::int32_t value) override;
    Result CursorLocation(std::int32_t* value) override;
    Result SetMarshalOptions(std::int32_t value) override;
    Result MarshalOptions(std::int32_t* value) override;

    // For its fields.
    bool IsOpen() const { return connection_ != nullptr; }
    const ColumnDescription& Column(std::size_t index) const { return table_.columns[index]; }
    Result ReadValue(std::size_t column, std::optional<Text>* value) const;
    Result WriteValue(std::size_t column, const Text& value);

private:
    ProviderConnection* activeConnection_ = nullptr;
    ProviderConnection* connection_ = nullptr;  // the one it is open on; null while closed
    Text source_;
    TableDescription table_;
    bool committing_ = false;  // not the line file: an Update commits what the document wrote
    ProviderFields fields_{*this};
    bool pending_ = false;
    std::vector<std::optional<std::string>> pendingValues_;  // UTF-8; nullopt: not assigned

    std::int32_t cursorType_ = platform::adOpenForwardOnly;
    std::int32_t cacheSize_ = 1;
    std::int32_t cursorLocation_ = 2;  // adUseServer, the access objects' default
    std::int32_t marshalOptions_ = 0;  // adMarshalAll
};

}  // namespace dbAx::provider
