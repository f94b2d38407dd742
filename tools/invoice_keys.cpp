#include "tools/invoice_keys.h"

#include <map>
#include <set>

#include "host/utf8.h"
#include "model/interface_files.h"
#include "release/value_collection.h"

namespace standin {

InvoiceKeys KeysOf(const std::vector<ResolvedValue>& values) {
    InvoiceKeys keys;
    std::map<kfx::Text, kfx::Text>& header = keys.headerValues;
    std::map<kfx::Text, kfx::Text> lines;
    std::set<kfx::Text> byRow;
    for (const ResolvedValue& value : values) {
        const veldmark::DestinationParts destination = veldmark::SplitDestination(value.destination);
        if (destination.file == u"AIP32") {
            header[destination.field] = value.value;
            for (const kfx::Text& lineKey : veldmark::HeaderDerivedLineKeys(destination.field)) {
                lines.try_emplace(lineKey, value.value);
            }
        } else if (destination.file == u"AIP33") {
            if (value.tableName.empty()) {
                lines.try_emplace(destination.field, value.value);
            } else {
                byRow.insert(destination.field);
            }
        }
    }
    for (const std::string& column : veldmark::HeaderFile().keyColumns) {
        const auto value = header.find(kfx::FromUtf8(column));
        keys.header.push_back({column, value == header.end() ? kfx::Text() : value->second});
    }
    for (const std::string& column : veldmark::LineFile().keyColumns) {
        if (!byRow.contains(kfx::FromUtf8(column))) keys.lines.push_back({column, lines[kfx::FromUtf8(column)]});
    }
    return keys;
}

}  // namespace standin
