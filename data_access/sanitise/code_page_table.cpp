#include "data_access/sanitise/code_page_table.h"

#include <algorithm>
#include <array>

namespace dbAx {
namespace {

// Ascending by code page number. Numbers missing here (709, 710, 1361, most
// Mac pages, the Taiwanese and IA5 pages, 20423, 20833, 20880, 20905, 20924,
// 21027, 29001, 50229, 50931, 50936, 51932, 51950, ...) have no converter in ICU's
// data or none whose repertoire matches, and are refused. The third column
// names whose platform best fit each one takes.
constexpr auto kIcuCodePages = std::to_array<IcuCodePage>({
    {37, "ibm-37_P100-1995", 37},
    {437, "ibm-437_P100-1995", 437},
    {500, "ibm-500_P100-1995", 500},
    {708, "ibm-1089_P100-1995", 708},  // ASMO-708 is ISO 8859-6
    {720, "ibm-720_P100-1997", 720},
    {737, "ibm-737_P100-1997", 737},
    {775, "ibm-775_P100-1996", 775},
    {850, "ibm-850_P100-1995", 850},
    {852, "ibm-852_P100-1995", 852},
    {855, "ibm-855_P100-1995", 855},
    {857, "ibm-857_P100-1995", 857},
    {858, "ibm-858_P100-1997", 850},
    {860, "ibm-860_P100-1995", 860},
    {861, "ibm-861_P100-1995", 861},
    {862, "ibm-862_P100-1995", 862},
    {863, "ibm-863_P100-1995", 863},
    {864, "ibm-864_X110-1999", 864},
    {865, "ibm-865_P100-1995", 865},
    {866, "ibm-866_P100-1995", 866},
    {869, "ibm-869_P100-1995", 869},
    {870, "ibm-870_P100-1995", 37},
    {874, "windows-874-2000", 874},
    {875, "ibm-875_P100-1995", 875},
    {932, "ibm-943_P15A-2003", 932},
    {936, "windows-936-2000", 936},
    {949, "windows-949-2000", 949},
    {950, "windows-950-2000", 950},
    {1026, "ibm-1026_P100-1995", 1026},
    {1047, "ibm-1047_P100-1995", 37},
    {1140, "ibm-1140_P100-1997", 37},
    {1141, "ibm-1141_P100-1997", 37},
    {1142, "ibm-1142_P100-1997", 37},
    {1143, "ibm-1143_P100-1997", 37},
    {1144, "ibm-1144_P100-1997", 37},
    {1145, "ibm-1145_P100-1997", 37},
    {1146, "ibm-1146_P100-1997", 37},
    {1147, "ibm-1147_P100-1997", 37},
    {1148, "ibm-1148_P100-1997", 37},
    {1149, "ibm-1149_P100-1997", 37},
    {1250, "ibm-5346_P100-1998", 1250},
    {1251, "ibm-5347_P100-1998", 1251},
    {1252, "ibm-5348_P100-1997", 1252},
    {1253, "ibm-5349_P100-1998", 1253},
    {1254, "ibm-5350_P100-1998", 1254},
    {1255, "ibm-9447_P100-2002", 1255},
    {1256, "ibm-9448_X100-2005", 1256},
    {1257, "ibm-9449_P100-2002", 1257},
    {1258, "ibm-5354_P100-1998", 1258},
    {10000, "macos-0_2-10.2", 10000},
    {10006, "macos-6_2-10.4", 10006},
    {10007, "macos-7_3-10.2", 10007},
    {10017, "macos-7_3-10.2", 10017},  // Mac OS Cyrillic since 9.0 is the Ukrainian variant
    {10029, "macos-29-10.2", 10029},
    {10081, "macos-35-10.2", 10081},
    {20127, "US-ASCII", 20127},
    {20273, "ibm-273_P100-1995", 37},
    {20277, "ibm-277_P100-1995", 37},
    {20278, "ibm-278_P100-1995", 37},
    {20280, "ibm-280_P100-1995", 37},
    {20284, "ibm-284_P100-1995", 37},
    {20285, "ibm-285_P100-1995", 37},
    {20290, "ibm-290_P100-1995", 37},
    {20297, "ibm-297_P100-1995", 37},
    {20420, "ibm-420_X120-1999", 37},
    {20424, "ibm-424_P100-1995", 37},
    {20838, "ibm-838_P100-1995", 37},
    {20866, "ibm-878_P100-1996", 20866},  // KOI8-R
    {20871, "ibm-871_P100-1995", 37},
    {20932, "euc-jp-2007", 20932},
    {20936, "ibm-1383_P110-1999", 936},  // GB 2312
    {20949, "ibm-970_P110_P110-2006_U2", 20949},  // KS X 1001, as EUC-KR
    {21025, "ibm-1025_P100-1995", 37},
    {21866, "ibm-1168_P100-2002", 21866},  // KOI8-U
    {28591, "ISO-8859-1", 28591},
    {28592, "ibm-912_P100-1995", 28592},
    {28593, "ibm-913_P100-2000", 28593},
    {28594, "ibm-914_P100-1995", 28594},
    {28595, "ibm-915_P100-1995", 28595},
    {28596, "ibm-1089_P100-1995", 28596},
    {28597, "ibm-9005_X110-2007", 28597},
    {28598, "ibm-5012_P100-1999", 28598},
    {28599, "ibm-920_P100-1995", 28599},
    {28603, "ibm-921_P100-1995", 28603},
    {28605, "ibm-923_P100-1998", 28605},
    {38598, "ibm-5012_P100-1999", 28598},  // logical order is a matter of display, not of characters
    {50220, "ISO_2022,locale=ja,version=0", 0},
    {50221, "ISO_2022,locale=ja,version=1", 0},
    {50222, "ISO_2022,locale=ja,version=0", 0},  // ICU's JIS7 would add Chinese and Korean
    {50225, "ISO_2022,locale=ko,version=0", 0},
    {50227, "ISO_2022,locale=zh,version=0", 0},
    {50930, "ibm-930_P120-1999", 37},
    {50933, "ibm-933_P110-1995", 37},
    {50935, "ibm-935_P110-1999", 37},
    {50937, "ibm-937_P110-1999", 37},
    {50939, "ibm-939_P120-1999", 37},
    {51936, "ibm-1383_P110-1999", 936},  // EUC-CN
    {51949, "ibm-970_P110_P110-2006_U2", 20949},  // EUC-KR
    {52936, "HZ", 0},
    {54936, "gb18030", 0},
    {57002, "ISCII,version=0", 0},  // Devanagari
    {57003, "ISCII,version=1", 0},  // Bengali
    {57004, "ISCII,version=5", 0},  // Tamil
    {57005, "ISCII,version=6", 0},  // Telugu
    {57006, "ISCII,version=1", 0},  // Assamese, written in the Bengali script
    {57007, "ISCII,version=4", 0},  // Oriya
    {57008, "ISCII,version=7", 0},  // Kannada
    {57009, "ISCII,version=8", 0},  // Malayalam
    {57010, "ISCII,version=3", 0},  // Gujarati
    {57011, "ISCII,version=2", 0},  // Gurmukhi
});

constexpr bool IsAscending() {
    for (std::size_t i = 1; i < kIcuCodePages.size(); ++i) {
        if (kIcuCodePages[i - 1].codePage >= kIcuCodePages[i].codePage) return false;
    }
    return true;
}
static_assert(IsAscending(), "the lookup is a binary search");

constexpr std::array<std::uint32_t, 6> kUnicodeCodePages = {1200, 1201, 12000, 12001, 65000, 65001};

}  // namespace

std::span<const IcuCodePage> IcuCodePages() { return kIcuCodePages; }

const IcuCodePage* FindIcuCodePage(std::uint32_t codePage) {
    const auto found = std::lower_bound(kIcuCodePages.begin(), kIcuCodePages.end(), codePage,
                                        [](const IcuCodePage& entry, std::uint32_t number) { return entry.codePage < number; });
    if (found == kIcuCodePages.end() || found->codePage != codePage) return nullptr;
    return &*found;
}

std::optional<std::string_view> IcuConverterName(std::uint32_t codePage) {
    const IcuCodePage* entry = FindIcuCodePage(codePage);
    if (entry == nullptr) return std::nullopt;
    return entry->icuName;
}

bool IsUnicodeCodePage(std::uint32_t codePage) {
    return std::find(kUnicodeCodePages.begin(), kUnicodeCodePages.end(), codePage) != kUnicodeCodePages.end();
}

}  // namespace dbAx
