// Writes invoices through the dbAx recordsets, as the release does: each
// line added and committed, then the header.
#pragma once

#include <string>
#include <vector>

#include "bench/data_access/invoice_rows.h"
#include "data_access/ax_connection.h"

namespace benchdata {

void WriteThroughRecordsets(dbAx::CAxConnection& connection, const std::string& library,
                            const std::vector<Invoice>& invoices);

}  // namespace benchdata
