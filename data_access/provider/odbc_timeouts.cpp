#include "data_access/provider/odbc_timeouts.h"

#include <charconv>
#include <cstdlib>
#include <optional>
#include <string>

#include "data_access/provider/odbc_data_source_key.h"

namespace dbAx::provider {
namespace {

constexpr long kMostSeconds = 86400;

struct Setting {
    const char* variable;  // in the environment
    const char* key;       // in the data source's odbc.ini entry
    const char* meaning;
};

constexpr Setting kLogin{"VELDMARK_ODBC_LOGIN_TIMEOUT", "VeldmarkLoginTimeout", "login timeout"};
constexpr Setting kQuery{"VELDMARK_ODBC_QUERY_TIMEOUT", "VeldmarkQueryTimeout", "query timeout"};

bool ParseSeconds(std::string_view text, std::chrono::seconds* seconds) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 1 ||
        value > kMostSeconds) {
        return false;
    }
    *seconds = std::chrono::seconds(value);
    return true;
}

Result Read(std::string_view dataSource, const Setting& setting, std::chrono::seconds* seconds,
            ErrorMessages& errors) {
    std::string text;
    std::string source;  // where it was set, for the message
    if (const char* variable = std::getenv(setting.variable); variable && *variable) {
        text = variable;
        source = std::string("The environment variable ") + setting.variable + " is '" + text + "'";
    } else {
        const std::optional<std::string> value = DataSourceKey(dataSource, setting.key);
        if (!value) return kfx::HR_S_OK;
        text = *value;
        source = "The data source '" + std::string(dataSource) + "' sets " + setting.key + " to '" + text + "'";
    }
    if (ParseSeconds(text, seconds)) return kfx::HR_S_OK;
    errors.push_back(source + "; the " + setting.meaning + " must be a whole number of seconds from 1 to " +
                     std::to_string(kMostSeconds));
    return platform::E_ADO_CONNECTIONFAILED;
}

}  // namespace

Result ReadOdbcTimeouts(std::string_view dataSource, OdbcTimeouts* timeouts, ErrorMessages& errors) {
    const Result login = Read(dataSource, kLogin, &timeouts->login, errors);
    if (kfx::Failed(login)) return login;
    return Read(dataSource, kQuery, &timeouts->query, errors);
}

std::string SecondsText(std::chrono::seconds seconds) {
    return std::to_string(seconds.count()) + (seconds.count() == 1 ? " second" : " seconds");
}

}  // namespace dbAx::provider
