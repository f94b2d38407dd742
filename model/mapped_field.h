// One mapping slot: a catalogue column or a connector setting, and what feeds it.
#pragma once

#include <cstdint>

#include "host/com.h"

namespace veldmark {

using kfx::Text;

enum FieldGroup : std::int32_t {
    Header = 0,
    LineItem = 1,
    Hidden = 2,
};

struct MappedField {
    Text source;                   // index field, constant, host value or batch field name
    std::int32_t sourceType = -1;  // a KfxLinkSourceType; -1 means no mapping
    std::int32_t group = Hidden;
    Text label;
    Text destination;  // "AIP32.RTYP32": file, full stop, column
    Text description;
    Text sqlType;  // "CHAR(35)" or "DECIMAL(7, 0)", for display
    bool required = false;
};

}  // namespace veldmark
