#include "data_access/provider/odbc_text.h"

#include "host/utf8.h"

namespace dbAx::provider {

OdbcText ToOdbcText(std::string_view utf8) {
    const std::u16string wide = kfx::FromUtf8(utf8);
    OdbcText text(wide.begin(), wide.end());
    text.push_back(0);
    return text;
}

std::string FromOdbcText(const SQLWCHAR* units, std::size_t count) {
    std::u16string wide;
    for (std::size_t i = 0; i < count && units[i] != 0; ++i) wide.push_back(static_cast<char16_t>(units[i]));
    return kfx::ToUtf8(wide);
}

}  // namespace dbAx::provider
