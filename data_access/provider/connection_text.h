// Reading the connection text the way OLE DB does: key=value pairs separated
// by ';', keys case-insensitive, blanks around keys and values ignored.
#pragma once

#include <string>
#include <string_view>

namespace dbAx::provider {

struct ConnectionSettings {
    std::string dataSource;
};

// False, with the reason, when the text is malformed, names no data source
// or names a provider other than IBMDA400 (a text without a provider is
// taken as meant for this one). Unknown keys are ignored.
bool ParseConnectionText(std::string_view text, ConnectionSettings* settings, std::string* problem);

}  // namespace dbAx::provider
