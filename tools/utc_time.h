// Times as the store writes them: UTC, ISO 8601.
#pragma once

#include <chrono>
#include <string>

namespace standin {

// "2026-03-14T09:26:53Z"
std::string UtcTimestamp(std::chrono::system_clock::time_point time);
// "2026-03-14"
std::string UtcDate(std::chrono::system_clock::time_point time);

}  // namespace standin
