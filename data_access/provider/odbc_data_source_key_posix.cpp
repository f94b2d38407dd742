#include "data_access/provider/odbc_data_source_key.h"

#include "odbc_api.h"

namespace dbAx::provider {
namespace {

constexpr int kSettingUnits = 64;

}  // namespace

// unixODBC's narrow call: it finds the entry by the bytes of its name, the
// UTF-8 that odbc.ini holds.
std::optional<std::string> DataSourceKey(std::string_view dataSource, const char* key) {
    char value[kSettingUnits] = {};
    const std::string section(dataSource);
    if (SQLGetPrivateProfileString(section.c_str(), key, "", value, kSettingUnits, "odbc.ini") <= 0) return std::nullopt;
    return std::string(value);
}

}  // namespace dbAx::provider
