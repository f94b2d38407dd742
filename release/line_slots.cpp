#include "release/line_slots.h"

namespace veldmark {

void LineSlots::EnsureSlots(std::size_t count) {
    if (slots_.size() < count) slots_.resize(count);
}

void LineSlots::Put(std::size_t slot, const Text& field, const Text& value) {
    EnsureSlots(slot + 1);
    slots_[slot].emplace(field, value);  // the first value stays
}

}  // namespace veldmark
