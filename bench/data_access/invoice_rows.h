// Realistic header and line rows for the data access benchmarks.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace benchdata {

// Column name and value text, in assignment order.
using Row = std::vector<std::pair<std::string, std::string>>;

struct Invoice {
    Row header;
    std::vector<Row> lines;
};

// `count` invoices of `linesEach` lines each, the same every call.
std::vector<Invoice> MakeInvoices(int count, int linesEach);

}  // namespace benchdata
