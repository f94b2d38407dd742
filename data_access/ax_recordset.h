// A recordset through which rows are added to a file: fields are assigned by
// name from text, after the decimal digit test and character sanitising.
#pragma once

#include <cstdint>
#include <memory>

#include "data_access/ax_connection.h"
#include "data_access/ax_exception.h"
#include "data_access/platform/database.h"

namespace dbAx {

class CAxRecordset {
public:
    CAxRecordset() = default;
    CAxRecordset(const CAxRecordset&) = delete;
    CAxRecordset& operator=(const CAxRecordset&) = delete;
    // Never throws: a close that fails here goes to the destruction-failure
    // handler. Owners that want to handle it call Dispose first.
    virtual ~CAxRecordset();

    // Moves bound members of a derived class from (false) or to (true) the
    // fields; this class binds none.
    virtual void ExchangeFields(bool save) {}

    // Creates the platform recordset; reports failure by its result only.
    HRESULT Create();
    std::int32_t CursorType(std::int32_t cursorType);
    std::int32_t CacheSize(std::int32_t size);
    std::int32_t CursorLocation(std::int32_t location);
    std::int32_t MarshalOptions(std::int32_t options);

    void Open(const Text& source, CAxConnection* connection);
    void AddNew();
    // Always true. A name the recordset lacks is ignored; a read-only field
    // is not written, and its current value replaces the caller's text.
    bool SetField(const Text& name, Text& value);
    // Whether the open recordset has a column of that name; false when closed.
    bool HasField(const Text& name) const;
    void Update();
    void CancelUpdate();
    void Close();

    // What destruction does: closes the recordset if it is open and releases
    // the platform object, which is released even when closing fails; the
    // failure is raised afterwards.
    void Dispose();

    std::uint32_t codePage = 0;       // 0: no sanitising
    char16_t replacementChar = 0x20;  // 0: the code page's default character

private:
    using Setter = platform::Result (platform::Recordset::*)(std::int32_t);
    using Getter = platform::Result (platform::Recordset::*)(std::int32_t*);
    std::int32_t Property(Setter set, Getter get, std::int32_t value, const char16_t* source);
    [[noreturn]] void ReleaseAndRaise(HRESULT result);
    void ReleasePlatformRecordset();
    bool IsOpen();

    std::int32_t cursorType_ = -2;  // -2: not set
    std::int32_t lockType_ = -2;    // -2: not set
    std::unique_ptr<platform::Recordset> recordset_;
    platform::Connection* connection_ = nullptr;  // borrowed from the CAxConnection
    Text source_;
    platform::Fields* fields_ = nullptr;
};

}  // namespace dbAx
