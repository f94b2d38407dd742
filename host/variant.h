// The automation value that host collections take as a key and hand out of
// enumerators: nothing, a 32-bit integer or a text.
#pragma once

#include <cstdint>
#include <variant>

#include "host/com.h"

namespace kfx {

class Variant {
public:
    Variant() = default;
    Variant(std::int32_t number) : value_(number) {}
    Variant(Text text) : value_(std::move(text)) {}
    Variant(const char16_t* text) : value_(Text(text)) {}

    bool IsEmpty() const { return std::holds_alternative<std::monostate>(value_); }
    bool IsInteger() const { return std::holds_alternative<std::int32_t>(value_); }
    bool IsText() const { return std::holds_alternative<Text>(value_); }
    std::int32_t Integer() const { return std::get<std::int32_t>(value_); }
    const Text& AsText() const { return std::get<Text>(value_); }

private:
    std::variant<std::monostate, std::int32_t, Text> value_;
};

// The standard enumerator of automation values.
class IEnumVARIANT : public IUnknown {
public:
    // Fetches the next item: HR_S_OK with an item, HR_S_FALSE at the end.
    virtual HRESULT Next(Variant* item) = 0;

protected:
    ~IEnumVARIANT() = default;
};

inline constexpr Guid IID_IEnumVARIANT{0x00020404, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

}  // namespace kfx
