// The narrow database interface beneath the dbAx layer: the shape of the
// platform's database access objects (connection, recordset, fields, error
// records) and nothing more. Every call returns a result code, so callers
// apply their failure rules to the code itself. Implementations: the
// provider environment (embedded SQLite, ODBC), a fault-injecting decorator
// for tests, and on Windows the real access objects.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "host/com.h"

namespace dbAx::platform {

using Result = kfx::HRESULT;
using kfx::Text;

// The constants of the access objects that the layer uses.
enum : std::int32_t {
    adStateClosed = 0,
    adStateOpen = 1,

    adUseClient = 3,
    adOpenForwardOnly = 0,
    adLockOptimistic = 3,
    adMarshalModifiedOnly = 1,
    adOptionUnspecified = -1,

    adEditNone = 0,
    adEditInProgress = 1,
    adEditAdd = 2,

    adChar = 129,
    adWChar = 130,
    adDecimal = 14,
    adNumeric = 131,

    adFldUpdatable = 0x4,
    adFldUnknownUpdatable = 0x8,
    adFldFixed = 0x10,
    adFldIsNullable = 0x20,

    adAddNew = 0x1000400,
    adUpdate = 0x1008000,
    adResync = 0x20000,

    adAffectCurrent = 1,
    adResyncUnderlyingValues = 1,
    adResyncAllValues = 2,
};

// Result codes the implementations give for their failures.
constexpr Result DB_E_NOTABLE = static_cast<Result>(0x80040E37);
constexpr Result DB_E_ERRORSOCCURRED = static_cast<Result>(0x80040E21);
constexpr Result DB_E_INTEGRITYVIOLATION = static_cast<Result>(0x80040E2F);
constexpr Result DB_E_ERRORSINCOMMAND = static_cast<Result>(0x80040E14);
constexpr Result DB_SEC_E_AUTH_FAILED = static_cast<Result>(0x80040E4D);
constexpr Result DB_E_CANTCONVERTVALUE = static_cast<Result>(0x80040E07);
constexpr Result DB_E_DATAOVERFLOW = static_cast<Result>(0x80040E57);
constexpr Result E_ADO_OBJECTCLOSED = static_cast<Result>(0x800A0E78);  // operation not allowed when closed
constexpr Result E_ADO_OBJECTOPEN = static_cast<Result>(0x800A0E79);    // operation not allowed when open
constexpr Result E_ADO_NOCURRENTRECORD = static_cast<Result>(0x800A0BCD);
constexpr Result E_ADO_ITEMNOTFOUND = static_cast<Result>(0x800A0CC1);  // item not found in the collection
constexpr Result E_ADO_CONNECTIONFAILED = static_cast<Result>(0x80004005);

struct ErrorRecord {
    std::int32_t number = 0;
    Text description;
};

// A connection's error records; owned by the connection.
class Errors {
public:
    virtual ~Errors() = default;
    virtual Result Count(std::int32_t* count) = 0;
    virtual Result Item(std::int32_t index, ErrorRecord* record) = 0;  // index from 0
    virtual Result Clear() = 0;
};

// One column of a recordset's current row; owned by the recordset.
class Field {
public:
    virtual ~Field() = default;
    virtual Result Type(std::int32_t* type) = 0;
    virtual Result Precision(std::uint8_t* precision) = 0;
    virtual Result Attributes(std::int32_t* attributes) = 0;
    // nullopt is the null value.
    virtual Result Value(std::optional<Text>* value) = 0;
    // The value is handed over as text; the provider converts it.
    virtual Result SetValue(const Text& value) = 0;
};

// The recordset's columns by name; owned by the recordset. A name the
// recordset does not have fails with E_ADO_ITEMNOTFOUND.
class Fields {
public:
    virtual ~Fields() = default;
    virtual Result Item(const Text& name, Field** field) = 0;
};

class Connection {
public:
    virtual ~Connection() = default;
    virtual Result Open(const Text& connectionText, const Text& user, const Text& password, std::int32_t options) = 0;
    virtual Result Close() = 0;
    virtual Result State(std::int32_t* state) = 0;
    virtual Result SetCursorLocation(std::int32_t location) = 0;
    virtual Result CursorLocation(std::int32_t* location) = 0;
    virtual Result GetErrors(Errors** errors) = 0;
};

class Recordset {
public:
    virtual ~Recordset() = default;
    virtual Result SetSource(const Text& source) = 0;
    // Borrowed: the connection outlives the recordset's use of it.
    virtual Result SetActiveConnection(Connection* connection) = 0;
    virtual Result Open(const Text& source, Connection* connection, std::int32_t cursorType, std::int32_t lockType,
                        std::int32_t options) = 0;
    virtual Result GetFields(Fields** fields) = 0;
    virtual Result Close() = 0;
    virtual Result State(std::int32_t* state) = 0;
    virtual Result Supports(std::int32_t cursorOptions, bool* supported) = 0;
    virtual Result AddNew() = 0;
    virtual Result Update() = 0;
    virtual Result CancelUpdate() = 0;
    virtual Result Resync(std::int32_t affectRecords, std::int32_t resyncValues) = 0;
    virtual Result EditMode(std::int32_t* mode) = 0;
    virtual Result MoveFirst() = 0;
    virtual Result BOF(bool* atStart) = 0;
    virtual Result EndOfFile(bool* atEnd) = 0;

    virtual Result SetCursorType(std::int32_t value) = 0;
    virtual Result CursorType(std::int32_t* value) = 0;
    virtual Result SetCacheSize(std::int32_t value) = 0;
    virtual Result CacheSize(std::int32_t* value) = 0;
    virtual Result SetCursorLocation(std::int32_t value) = 0;
    virtual Result CursorLocation(std::int32_t* value) = 0;
    virtual Result SetMarshalOptions(std::int32_t value) = 0;
    virtual Result MarshalOptions(std::int32_t* value) = 0;
};

// The entry into the platform: start and stop, and object creation.
class Environment {
public:
    virtual ~Environment() = default;
    // HR_S_OK, or HR_S_FALSE when already started on this thread.
    virtual Result Initialize() = 0;
    virtual void Uninitialize() = 0;
    virtual Result CreateConnection(std::unique_ptr<Connection>* connection) = 0;
    virtual Result CreateRecordset(std::unique_ptr<Recordset>* recordset) = 0;
};

}  // namespace dbAx::platform
