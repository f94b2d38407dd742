// The fixed list of interface-file columns the connector can fill: 56 of the
// invoice header file AIP32 and 37 of the invoice line file AIP33.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>

#include "model/mapped_field.h"

namespace veldmark {

constexpr std::size_t kCatalogueSlots = 94;  // slot 93 is never filled
constexpr std::size_t kCatalogueFields = 93;
constexpr std::size_t kHeaderFields = 56;

using FieldCatalogue = std::array<MappedField, kCatalogueSlots>;

// One row of the catalogue as it is fixed in the component.
struct CatalogueRow {
    const char16_t* destination;
    const char16_t* label;
    const char16_t* sqlType;
    bool required;
    const char16_t* description;
};

// The 93 rows in slot order.
std::span<const CatalogueRow> CatalogueRows();

// Replaces the slot's descriptive members; leaves its mapping alone. False
// and no change when the index is past the last slot.
bool SetCatalogueField(FieldCatalogue& catalogue, std::size_t index, std::int32_t group, const Text& destination,
                       const Text& label, const Text& description, const Text& sqlType, bool required);

// Fills slots 0 to 92 from the rows, in slot order.
bool BuildFieldCatalogue(FieldCatalogue& catalogue);

// The first slot whose destination equals the name, case-sensitively.
std::optional<std::size_t> FindCatalogueSlot(const FieldCatalogue& catalogue, const Text& destination);

}  // namespace veldmark
