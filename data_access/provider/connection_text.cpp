#include "data_access/provider/connection_text.h"

#include <optional>

namespace dbAx::provider {
namespace {

constexpr std::string_view kProvider = "ibmda400";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

}  // namespace

bool ParseConnectionText(std::string_view text, ConnectionSettings* settings, std::string* problem) {
    std::optional<std::string> dataSource;
    while (!text.empty()) {
        const auto end = text.find(';');
        const std::string_view pair = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (pair.empty()) continue;
        const auto equals = pair.find('=');
        if (equals == std::string_view::npos) {
            *problem = "The connection text is not a list of key=value pairs: '" + std::string(pair) +
                       "' has no '='";
            return false;
        }
        const std::string key = Lower(Trim(pair.substr(0, equals)));
        const std::string_view value = Trim(pair.substr(equals + 1));
        if (key == "provider" && Lower(value) != kProvider) {
            *problem = "The connection text names the provider '" + std::string(value) +
                       "'; this component provides only IBMDA400";
            return false;
        }
        if (key == "data source") dataSource = std::string(value);
    }
    if (!dataSource || dataSource->empty()) {
        *problem = "The connection text names no data source (Data source=...)";
        return false;
    }
    settings->dataSource = std::move(*dataSource);
    return true;
}

}  // namespace dbAx::provider
