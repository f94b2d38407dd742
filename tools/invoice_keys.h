// The key values a document's rows are written with: what ties its header in
// AIP32 and its lines in AIP33 to it, worked out from its values the way the
// component collects them.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "host_standin/records.h"

namespace standin {

struct KeyValue {
    std::string column;
    kfx::Text value;  // as the document gives it; an unmapped key is blank, as its column's default

    friend auto operator<=>(const KeyValue&, const KeyValue&) = default;
};

struct InvoiceKeys {
    std::vector<KeyValue> header;  // CDAC32, INVN32, RTYP32
    // Every AIP32 field the document assigns, with its last value: what its
    // header row is written with.
    std::map<kfx::Text, kfx::Text> headerValues;
    // CDAC33, INVN33, RTYP33, less any that a table field gives row by row
    // (no one value ties those lines).
    std::vector<KeyValue> lines;

    friend bool operator==(const InvoiceKeys&, const InvoiceKeys&) = default;
};

// Each header key gets the last value assigned to it. Each line key gets the
// first value put among the common line values: a header key's value under
// the line keys the component derives from it, a single AIP33 value under
// its own column.
InvoiceKeys KeysOf(const std::vector<ResolvedValue>& values);

}  // namespace standin
