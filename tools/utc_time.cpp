#include "tools/utc_time.h"

#include <cstdio>

namespace standin {

std::string UtcDate(std::chrono::system_clock::time_point time) {
    const std::chrono::year_month_day date{std::chrono::floor<std::chrono::days>(time)};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

std::string UtcTimestamp(std::chrono::system_clock::time_point time) {
    const auto day = std::chrono::floor<std::chrono::days>(time);
    const std::chrono::hh_mm_ss clock{std::chrono::floor<std::chrono::seconds>(time - day)};
    char text[16];
    std::snprintf(text, sizeof text, "T%02d:%02d:%02dZ", static_cast<int>(clock.hours().count()),
                  static_cast<int>(clock.minutes().count()), static_cast<int>(clock.seconds().count()));
    return UtcDate(time) + text;
}

}  // namespace standin
