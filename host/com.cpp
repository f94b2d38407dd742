#include "host/com.h"

#include <cstdio>

namespace kfx {

std::string GuidToString(const Guid& g) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.data1, g.data2,
                  g.data3, g.data4[0], g.data4[1], g.data4[2], g.data4[3], g.data4[4], g.data4[5], g.data4[6],
                  g.data4[7]);
    return buffer;
}

bool GuidFromString(const std::string& text, Guid& guid) {
    if (text.size() != 38) return false;
    unsigned d1 = 0, d2 = 0, d3 = 0, b[8] = {};
    int consumed = 0;
    int fields = std::sscanf(text.c_str(), "{%8x-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x}%n", &d1, &d2, &d3, &b[0], &b[1],
                             &b[2], &b[3], &b[4], &b[5], &b[6], &b[7], &consumed);
    if (fields != 11 || consumed != 38) return false;
    guid.data1 = d1;
    guid.data2 = static_cast<std::uint16_t>(d2);
    guid.data3 = static_cast<std::uint16_t>(d3);
    for (int i = 0; i < 8; ++i) guid.data4[i] = static_cast<std::uint8_t>(b[i]);
    return true;
}

}  // namespace kfx
