#include "host_standin/invoice_keys.h"

#include <map>
#include <optional>
#include <set>

#include "host/utf8.h"

namespace standin {
namespace {

constexpr const char* kHeaderKeys[] = {"CDAC32", "INVN32", "RTYP32"};
constexpr const char* kLineKeys[] = {"CDAC33", "INVN33", "RTYP33"};

// The line key a header key is also put under among the common line values.
std::optional<std::string> LineKeyOfHeaderKey(const std::string& headerColumn) {
    if (headerColumn == "INVN32") return "INVN33";
    if (headerColumn == "RTYP32") return "RTYP33";
    return std::nullopt;
}

struct Destination {
    std::string file;
    std::string field;
};

// The file part before the first '.', the field part up to the second.
Destination Split(const kfx::Text& destination) {
    const std::string text = kfx::ToUtf8(destination);
    const std::size_t dot = text.find('.');
    if (dot == std::string::npos) return {text, ""};
    const std::size_t second = text.find('.', dot + 1);
    const std::size_t length = second == std::string::npos ? std::string::npos : second - dot - 1;
    return {text.substr(0, dot), text.substr(dot + 1, length)};
}

}  // namespace

InvoiceKeys KeysOf(const std::vector<ResolvedValue>& values) {
    std::map<std::string, kfx::Text> header;
    std::map<std::string, kfx::Text> lines;
    std::set<std::string> byRow;
    for (const ResolvedValue& value : values) {
        const Destination destination = Split(value.destination);
        if (destination.file == "AIP32") {
            header[destination.field] = value.value;
            if (const std::optional<std::string> lineKey = LineKeyOfHeaderKey(destination.field)) {
                lines.try_emplace(*lineKey, value.value);
            }
        } else if (destination.file == "AIP33") {
            if (value.tableName.empty()) {
                lines.try_emplace(destination.field, value.value);
            } else {
                byRow.insert(destination.field);
            }
        }
    }
    InvoiceKeys keys;
    for (const char* column : kHeaderKeys) keys.header.push_back({column, header[column]});
    for (const char* column : kLineKeys) {
        if (!byRow.contains(column)) keys.lines.push_back({column, lines[column]});
    }
    return keys;
}

}  // namespace standin
