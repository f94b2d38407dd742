// The platform converter's best fit, per code page: each character that its
// round trip turns into another character than the default one, and that
// character. Generated from the platform's own round trip (see
// scripts/make-code-page-reference), for the code pages the platform offers.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace dbAx {

struct PlatformBestFit {
    char16_t from;
    char16_t to;
};

// Ascending by `from`; empty optional when the platform offers no such code page.
std::optional<std::span<const PlatformBestFit>> PlatformBestFits(std::uint32_t codePage);

}  // namespace dbAx
