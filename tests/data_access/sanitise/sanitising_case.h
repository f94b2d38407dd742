// One case of sanitising a text, for the tables of cases that each converter's
// tests instantiate.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "host/com.h"

namespace dbAx {

inline constexpr char16_t kNoReplacement = 0;

struct SanitiseCase {
    const char* name;
    std::uint32_t codePage;
    char16_t replacementChar;
    kfx::Text input;
    kfx::Text expected;
};

inline void PrintTo(const SanitiseCase& c, std::ostream* os) { *os << c.name; }

inline std::string SanitiseCaseName(const testing::TestParamInfo<SanitiseCase>& info) { return info.param.name; }

// Sanitises the case's input and expects its result.
class Sanitising : public testing::TestWithParam<SanitiseCase> {};

}  // namespace dbAx
