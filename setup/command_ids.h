// Command identifiers of the source menus and how a command maps back to the
// entry it stands for.
#pragma once

#include <cstddef>
#include <optional>

namespace veldmark {

constexpr int kCommandTextConstant = 32777;
constexpr int kCommandNoMapping = 32779;

// The n-th index field of the host's collection (n from 1) is command base + n.
constexpr int kIndexFieldCommandBase = 28416;
constexpr int kLastIndexFieldCommand = 28671;
constexpr std::size_t kMaxListedIndexFields = kLastIndexFieldCommand - kIndexFieldCommandBase;  // 255

// The i-th host value name (i from 0) is command base + i.
constexpr int kValueNameCommandBase = 28160;
constexpr int kLastValueNameCommand = 28415;
constexpr std::size_t kMaxListedValueNames = kLastValueNameCommand - kValueNameCommandBase + 1;  // 256

// The 1-based index-field position a command stands for, when it is one.
constexpr std::optional<int> IndexFieldPosition(int command) {
    if (command <= kIndexFieldCommandBase || command > kLastIndexFieldCommand) return std::nullopt;
    return command - kIndexFieldCommandBase;
}

// The 0-based value-name index a command stands for, when it is one.
constexpr std::optional<std::size_t> ValueNameIndex(int command) {
    if (command < kValueNameCommandBase || command > kLastValueNameCommand) return std::nullopt;
    return static_cast<std::size_t>(command - kValueNameCommandBase);
}

}  // namespace veldmark
