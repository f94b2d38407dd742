// The few pieces of the component object model that the host and the
// component share: result codes, identifiers, the counted base interface and
// a holder for counted references. Portable C++ only, so the same
// declarations serve the Windows build, where they map onto the real ones.
// The result codes carry the prefix HR_ because the Windows headers define
// the plain names (S_OK, E_FAIL, ...) as macros, and the files that bridge to
// the real component object model include both.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>

namespace kfx {

using HRESULT = std::int32_t;

constexpr HRESULT HR_S_OK = 0;
constexpr HRESULT HR_S_FALSE = 1;
constexpr HRESULT HR_E_NOTIMPL = static_cast<HRESULT>(0x80004001);
constexpr HRESULT HR_E_NOINTERFACE = static_cast<HRESULT>(0x80004002);
constexpr HRESULT HR_E_POINTER = static_cast<HRESULT>(0x80004003);
constexpr HRESULT HR_E_FAIL = static_cast<HRESULT>(0x80004005);
constexpr HRESULT HR_E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFF);
constexpr HRESULT HR_E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000E);
constexpr HRESULT HR_E_INVALIDARG = static_cast<HRESULT>(0x80070057);
constexpr HRESULT HR_DISP_E_BADINDEX = static_cast<HRESULT>(0x8002000B);
constexpr HRESULT HR_CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110);
constexpr HRESULT HR_CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111);

constexpr bool Succeeded(HRESULT hr) { return hr >= 0; }
constexpr bool Failed(HRESULT hr) { return hr < 0; }

// Texts are UTF-16 throughout; an absent text and an empty text are the same.
using Text = std::u16string;

struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};

    friend bool operator==(const Guid&, const Guid&) = default;
};

namespace guid_literal {

constexpr std::uint32_t HexDigit(char c) {
    if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<std::uint32_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<std::uint32_t>(c - 'a' + 10);
    throw "not a hexadecimal digit";  // in a constant expression: a compile error
}

constexpr std::uint32_t Hex(const char* text, int digits) {
    std::uint32_t value = 0;
    for (int i = 0; i < digits; ++i) value = value * 16 + HexDigit(text[i]);
    return value;
}

}  // namespace guid_literal

// "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX", unbraced, as an IDL uuid reads;
// meant for constants, where a malformed text fails the build.
consteval Guid GuidLiteral(const char (&text)[37]) {
    using guid_literal::Hex;
    if (text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-') throw "not a uuid";
    Guid guid{Hex(text, 8), static_cast<std::uint16_t>(Hex(text + 9, 4)), static_cast<std::uint16_t>(Hex(text + 14, 4)),
              {}};
    for (int i = 0; i < 2; ++i) guid.data4[i] = static_cast<std::uint8_t>(Hex(text + 19 + 2 * i, 2));
    for (int i = 0; i < 6; ++i) guid.data4[2 + i] = static_cast<std::uint8_t>(Hex(text + 24 + 2 * i, 2));
    return guid;
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case, as the registry writes it.
std::string GuidToString(const Guid& guid);
// Accepts the braced form in either case; false when the text is not a GUID.
bool GuidFromString(const std::string& text, Guid& guid);

class IUnknown {
public:
    virtual HRESULT QueryInterface(const Guid& iid, void** object) = 0;
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;

protected:
    ~IUnknown() = default;
};

inline constexpr Guid IID_IUnknown{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// Holds one counted reference; releases it when it goes.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference on the object.
    explicit ComPtr(T* object) : object_(object) {
        if (object_) object_->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.object_) {}
    ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~ComPtr() { Reset(); }

    // Adopts a reference the caller already owns (an out value of a call).
    static ComPtr Adopt(T* object) {
        ComPtr result;
        result.object_ = object;
        return result;
    }

    void Reset() {
        if (object_) std::exchange(object_, nullptr)->Release();
    }
    // Releases what is held and hands out the place for an out value.
    T** Put() {
        Reset();
        return &object_;
    }
    // Hands the reference to the caller, who then owns it.
    T* Detach() { return std::exchange(object_, nullptr); }

    T* Get() const { return object_; }
    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T* object_ = nullptr;
};

// Asks an object for another of its interfaces.
template <class T>
HRESULT QueryInterfaceAs(IUnknown* object, const Guid& iid, ComPtr<T>& out) {
    if (!object) return HR_E_POINTER;
    void* raw = nullptr;
    HRESULT hr = object->QueryInterface(iid, &raw);
    out = ComPtr<T>::Adopt(Succeeded(hr) ? static_cast<T*>(raw) : nullptr);
    return hr;
}

}  // namespace kfx
