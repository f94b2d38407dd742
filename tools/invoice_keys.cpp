#include "tools/invoice_keys.h"

#include <map>
#include <set>

#include "host/utf8.h"
#include "release/value_collection.h"

namespace standin {
namespace {

constexpr const char16_t* kHeaderKeys[] = {u"CDAC32", u"INVN32", u"RTYP32"};
constexpr const char16_t* kLineKeys[] = {u"CDAC33", u"INVN33", u"RTYP33"};

}  // namespace

InvoiceKeys KeysOf(const std::vector<ResolvedValue>& values) {
    std::map<kfx::Text, kfx::Text> header;
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
    InvoiceKeys keys;
    for (const char16_t* column : kHeaderKeys) keys.header.push_back({kfx::ToUtf8(column), header[column]});
    for (const char16_t* column : kLineKeys) {
        if (!byRow.contains(column)) keys.lines.push_back({kfx::ToUtf8(column), lines[column]});
    }
    return keys;
}

}  // namespace standin
