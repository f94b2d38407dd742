// What the host hands a release script: the release data of one document,
// its values (one per stored link), table rows and custom properties.
// Every call returns a status; a failed status is how "missing" arrives.
#pragma once

#include <cstdint>

#include "host/com.h"
#include "host/variant.h"

namespace kfx {

class IRowValue : public IUnknown {
public:
    virtual HRESULT get_Value(Text* value) = 0;

protected:
    ~IRowValue() = default;
};

class IRowValues : public IUnknown {
public:
    virtual HRESULT get_Count(std::int32_t* count) = 0;
    // Rows count from 1.
    virtual HRESULT get_Item(const Variant& row, IRowValue** item) = 0;

protected:
    ~IRowValues() = default;
};

class IValue : public IUnknown {
public:
    virtual HRESULT get_Destination(Text* destination) = 0;
    virtual HRESULT get_Value(Text* value) = 0;
    // Empty unless the source is a field of a table.
    virtual HRESULT get_TableName(Text* tableName) = 0;
    // An automation object that offers IRowValues.
    virtual HRESULT get_RowValues(const Variant& key, IUnknown** rows) = 0;

protected:
    ~IValue() = default;
};

class IValues : public IUnknown {
public:
    virtual HRESULT get_Count(std::int32_t* count) = 0;
    // By 1-based position (an integer) or by destination (a text).
    virtual HRESULT get_Item(const Variant& key, IValue** item) = 0;

protected:
    ~IValues() = default;
};

class ICustomProperty : public IUnknown {
public:
    virtual HRESULT get_Value(Text* value) = 0;

protected:
    ~ICustomProperty() = default;
};

class ICustomProperties : public IUnknown {
public:
    // By name; an absent name fails.
    virtual HRESULT get_Item(const Variant& key, ICustomProperty** item) = 0;

protected:
    ~ICustomProperties() = default;
};

class IReleaseData : public IUnknown {
public:
    virtual HRESULT get_KofaxPDFFileName(Text* name) = 0;
    virtual HRESULT get_ConnectString(Text* text) = 0;
    virtual HRESULT get_UserName(Text* text) = 0;
    virtual HRESULT get_Password(Text* text) = 0;
    virtual HRESULT get_Values(IValues** values) = 0;
    virtual HRESULT get_CustomProperties(ICustomProperties** properties) = 0;
    virtual HRESULT LogError(std::int32_t err1, std::int32_t err2, std::int32_t err3, const Text& errorMessage,
                             const Text& codeModule, std::int32_t lineNumber) = 0;
    virtual HRESULT SendMessage(const Text& messageString, std::int32_t errorNumber, std::int32_t infoRet) = 0;

protected:
    ~IReleaseData() = default;
};

inline constexpr Guid IID_IRowValues{0x2044A7E0, 0xC29E, 0x49E1, {0xA8, 0x62, 0xAA, 0xB6, 0x02, 0x0E, 0xD0, 0x2F}};
inline constexpr Guid IID_IRowValue{0x31EAC91E, 0x6432, 0x46D9, {0xBA, 0x2C, 0xA7, 0xB9, 0xE5, 0x37, 0x43, 0x5D}};
inline constexpr Guid IID_IValue{0x78AED4AF, 0xE316, 0x49B0, {0xB4, 0x1E, 0x68, 0xC2, 0x2F, 0x0F, 0x07, 0xE3}};
inline constexpr Guid IID_IValues{0x14F5FAAC, 0x8EC4, 0x4D84, {0xAA, 0xC8, 0xB4, 0x8D, 0x61, 0xB9, 0xC7, 0x4B}};
inline constexpr Guid IID_ICustomProperty{0xAEF2A1DE, 0x0152, 0x4D78, {0xAC, 0x4E, 0x89, 0xF8, 0x13, 0xC9, 0x59, 0x85}};
inline constexpr Guid IID_ICustomProperties{
    0x25D5A37D, 0x920B, 0x4922, {0x91, 0xD3, 0x8D, 0x02, 0xF9, 0x9C, 0x91, 0xC8}};
inline constexpr Guid IID_IReleaseData{0xC61B718A, 0x2C58, 0x4E9B, {0xB6, 0x9C, 0x6D, 0x71, 0x81, 0xBC, 0xE8, 0xA1}};

}  // namespace kfx
