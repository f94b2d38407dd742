// The values of a document's line records: slot 0 holds the values common to
// every line, slot r the values of table row r.
#pragma once

#include <cstddef>
#include <map>
#include <vector>

#include "host/com.h"

namespace veldmark {

using kfx::Text;

// Field name to value, ordered by UTF-16 code units.
using LineSlot = std::map<Text, Text>;

class LineSlots {
public:
    bool empty() const { return slots_.empty(); }
    std::size_t size() const { return slots_.size(); }
    const LineSlot& operator[](std::size_t index) const { return slots_[index]; }

    // Grows the list to at least this many slots; it never shrinks.
    void EnsureSlots(std::size_t count);
    // Puts the value into the slot unless the slot holds the field already.
    void Put(std::size_t slot, const Text& field, const Text& value);
    void clear() { slots_.clear(); }

private:
    std::vector<LineSlot> slots_;
};

}  // namespace veldmark
