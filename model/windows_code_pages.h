// The Windows code page identifiers: the numbers the settings page accepts
// for sanitising.
#pragma once

#include <cstdint>
#include <span>

namespace veldmark {

// The 152 identifiers, sorted ascending.
std::span<const std::int32_t> WindowsCodePageIdentifiers();

}  // namespace veldmark
