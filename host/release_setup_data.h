// What the host hands a setup script: the setup data of one document class,
// its links, index fields and the names of its host values.
#pragma once

#include <cstdint>

#include "host/com.h"
#include "host/release_data.h"
#include "host/variant.h"

namespace kfx {

class ILink : public IUnknown {
public:
    virtual HRESULT get_Source(Text* source) = 0;
    virtual HRESULT get_SourceType(std::int32_t* sourceType) = 0;
    virtual HRESULT get_Destination(Text* destination) = 0;

protected:
    ~ILink() = default;
};

class ILinks : public IUnknown {
public:
    virtual HRESULT get_Count(std::int32_t* count) = 0;
    // By 1-based position.
    virtual HRESULT get_Item(const Variant& position, ILink** item) = 0;
    virtual HRESULT RemoveAll() = 0;
    virtual HRESULT Add(const Text& source, std::int32_t sourceType, const Text& destination) = 0;

protected:
    ~ILinks() = default;
};

class IIndexField : public IUnknown {
public:
    virtual HRESULT get_Name(Text* name) = 0;

protected:
    ~IIndexField() = default;
};

class IIndexFields : public IUnknown {
public:
    virtual HRESULT get_Count(std::int32_t* count) = 0;
    // By 1-based position.
    virtual HRESULT get_Item(const Variant& position, IIndexField** item) = 0;

protected:
    ~IIndexFields() = default;
};

// The collection behind BatchVariableNames; either of its two interface
// identifiers may be offered.
class IBatchVariableNames : public IUnknown {
public:
    // An object that offers IEnumVARIANT over the names.
    virtual HRESULT get__NewEnum(IUnknown** enumerator) = 0;

protected:
    ~IBatchVariableNames() = default;
};

class IReleaseSetupData : public IUnknown {
public:
    virtual HRESULT get_ConnectString(Text* text) = 0;
    virtual HRESULT get_UserName(Text* text) = 0;
    virtual HRESULT get_Password(Text* text) = 0;
    virtual HRESULT get_BatchClassName(Text* text) = 0;
    virtual HRESULT get_DocClassName(Text* text) = 0;
    virtual HRESULT get_Name(Text* text) = 0;
    virtual HRESULT put_Name(const Text& text) = 0;
    virtual HRESULT get_CustomProperties(ICustomProperties** properties) = 0;
    virtual HRESULT get_Links(ILinks** links) = 0;
    virtual HRESULT get_IndexFields(IIndexFields** fields) = 0;
    // An automation object; ask it for IBatchVariableNames.
    virtual HRESULT get_BatchVariableNames(IUnknown** names) = 0;
    // Commits links and name to the host's store.
    virtual HRESULT Apply() = 0;

protected:
    ~IReleaseSetupData() = default;
};

inline constexpr Guid IID_ILink{0x81807173, 0x5CAE, 0x42E3, {0xB0, 0xD5, 0x6E, 0x4E, 0xDE, 0x22, 0x5C, 0xD6}};
inline constexpr Guid IID_ILinks{0x35E2F97E, 0xD68F, 0x4061, {0xB0, 0xD5, 0xF0, 0x2F, 0xD7, 0x39, 0x33, 0x39}};
inline constexpr Guid IID_IIndexField{0x0F27E159, 0x853D, 0x4362, {0x9E, 0x64, 0xAD, 0xAE, 0xE7, 0xE5, 0x45, 0xDF}};
inline constexpr Guid IID_IIndexFields{0x84FDD6B5, 0x01E4, 0x4B3E, {0xB6, 0x76, 0x23, 0xC3, 0x05, 0x5D, 0x57, 0xA6}};
// The two identifiers under which the host offers its batch-variable-name collection.
inline constexpr Guid IID_IBatchVariableNames{
    0x2F8DEB57, 0x941D, 0x4E2C, {0x81, 0xB5, 0xD1, 0x6E, 0x3B, 0x82, 0xC2, 0xC8}};
inline constexpr Guid IID_IBatchVariableNamesLegacy{
    0x852FDE3C, 0x8C75, 0x4550, {0x97, 0x49, 0x07, 0xF8, 0xFF, 0x6C, 0xE9, 0xB1}};
inline constexpr Guid IID_IReleaseSetupData{
    0xE269EA33, 0xA782, 0x46F5, {0x91, 0xDD, 0xE1, 0xE8, 0xE6, 0x45, 0x23, 0x3C}};

}  // namespace kfx
