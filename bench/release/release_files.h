// What `veldmark release` is given in the release benchmarks: a document
// class mapping seven header and seven line index fields, and a batch of
// invoices; and the rows the release writes from them, for the baseline.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "bench/data_access/invoice_rows.h"

namespace benchrelease {

// The connection settings of the document class.
struct Destination {
    std::string serverName;  // "sqlite:<directory>" or an ODBC data source
    std::string userName;    // not mapped when empty
    std::string password;    // not mapped when empty
    std::string library;
};

// Writes class.json and batch.json into `directory`.
void WriteReleaseFiles(const std::filesystem::path& directory, const Destination& destination,
                       const std::vector<benchdata::Invoice>& invoices);

// The rows the release writes for `invoices`, as the baseline writes them.
std::vector<benchdata::Invoice> ReleasedRows(const std::vector<benchdata::Invoice>& invoices);

// `veldmark release` of the files in `directory`, its output discarded;
// true when it exited 0.
bool RunRelease(const std::filesystem::path& veldmark, const std::filesystem::path& directory);

}  // namespace benchrelease
