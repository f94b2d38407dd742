#include "data_access/provider/odbc_data_source_key.h"

#include "odbc_api.h"

#include "data_access/provider/odbc_text.h"

namespace dbAx::provider {
namespace {

constexpr int kSettingUnits = 64;

}  // namespace

// The wide-character call: the narrow one would read the UTF-8 name in the
// ANSI code page, miss a name outside ASCII and quietly leave its settings unread.
std::optional<std::string> DataSourceKey(std::string_view dataSource, const char* key) {
    SQLWCHAR value[kSettingUnits] = {};
    const OdbcText section = ToOdbcText(dataSource);
    const OdbcText entry = ToOdbcText(key);
    if (SQLGetPrivateProfileStringW(reinterpret_cast<LPCWSTR>(section.data()), reinterpret_cast<LPCWSTR>(entry.data()),
                                    L"", reinterpret_cast<LPWSTR>(value), kSettingUnits, L"odbc.ini") <= 0) {
        return std::nullopt;
    }
    return FromOdbcText(value, kSettingUnits);
}

}  // namespace dbAx::provider
