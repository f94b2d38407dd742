// Sanitising each character alone against what the platform converter's own
// round trip gives it, over the whole BMP, for every code page the platform
// reference covers (platform_round_trip/, made by
// scripts/make-code-page-reference). The platform's default character counts
// as ours, which is always "?". How much must agree depends on the converter
// this build sanitises with (agreement_goal_*.cpp).
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data_access/sanitise/code_page_table.h"
#include "data_access/sanitise/sanitise.h"
#include "tests/data_access/sanitise/agreement_goal.h"

namespace dbAx {
namespace {

struct Reference {
    char16_t defaultChar = 0;
    // Every character that does not come back as itself, and what it becomes
    // (empty for nothing).
    std::map<char16_t, kfx::Text> changed;
};

char16_t Unit(const std::string& hex) { return static_cast<char16_t>(std::stoul(hex, nullptr, 16)); }

std::optional<Reference> ReadReference(std::uint32_t codePage) {
    std::ifstream file(std::string(VELDMARK_PLATFORM_ROUND_TRIP_DIR) + "/cp" + std::to_string(codePage) + ".txt");
    if (!file) return std::nullopt;
    Reference reference;
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string characters;
        fields >> characters;
        kfx::Text result;
        for (std::string unit; fields >> unit;) {
            if (unit != "-") result += Unit(unit);
        }
        if (characters == "default") {
            reference.defaultChar = result.at(0);
            continue;
        }
        const auto dash = characters.find('-');
        const char16_t first = Unit(characters.substr(0, dash));
        const char16_t last = dash == std::string::npos ? first : Unit(characters.substr(dash + 1));
        for (char32_t c = first; c <= last; ++c) reference.changed[static_cast<char16_t>(c)] = result;
    }
    return reference;
}

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

kfx::Text Expected(const Reference& reference, char16_t c) {
    const auto found = reference.changed.find(c);
    if (found == reference.changed.end()) return kfx::Text(1, c);
    const kfx::Text& result = found->second;
    if (result.size() == 1 && result[0] == reference.defaultChar) return u"?";
    return result;
}

std::string Hex(const kfx::Text& text) {
    std::ostringstream out;
    for (const char16_t unit : text) out << ' ' << std::hex << std::uppercase << static_cast<int>(unit);
    return text.empty() ? " nothing" : out.str();
}

TEST(PlatformAgreement, EachCharacterAloneBecomesWhatThePlatformMakesOfIt) {
    int covered = 0;
    for (const IcuCodePage& entry : IcuCodePages()) {
        const auto reference = ReadReference(entry.codePage);
        if (!reference) continue;
        ++covered;
        SCOPED_TRACE(entry.codePage);
        int characters = 0;
        int agreeing = 0;
        int heldByOneOnly = 0;
        std::vector<std::string> examples;
        for (char32_t c = 0; c <= 0xFFFF; ++c) {
            if (IsSurrogate(c)) continue;
            ++characters;
            const kfx::Text input(1, static_cast<char16_t>(c));
            const kfx::Text expected = Expected(*reference, static_cast<char16_t>(c));
            const kfx::Text ours = SanitiseText(input, entry.codePage, 0);
            if (ours == expected) {
                ++agreeing;
                continue;
            }
            if ((ours == input && expected == u"?") || (ours == u"?" && expected == input)) ++heldByOneOnly;
            if (examples.size() < 8) examples.push_back(Hex(input) + ":" + Hex(ours) + " (platform" + Hex(expected) + ")");
        }
        const double agreement = 100.0 * agreeing / characters;
        std::printf("code page %5u: %6.2f %% of %d characters agree, %d differ (%d held by one side only)\n",
                    entry.codePage, agreement, characters, characters - agreeing, heldByOneOnly);
        std::string shown;
        for (const std::string& example : examples) shown += "\n  " + example;
        const int counted = agreeing + (RepertoiresDiffer(entry.codePage) ? heldByOneOnly : 0);
        EXPECT_GE(100.0 * counted / characters, AgreementGoal(entry.codePage)) << "for example:" << shown;
    }
    EXPECT_GT(covered, 50);
}

}  // namespace
}  // namespace dbAx
