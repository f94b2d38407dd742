// The baseline of the row-writing benchmarks: one prepared insert per file,
// executed per row and committed per row or per invoice, on an embedded
// database file.
#pragma once

#include <sqlite3.h>

#include <filesystem>

#include "bench/data_access/invoice_rows.h"

namespace benchdata {

class PlainInserts {
public:
    // perInvoice: an invoice's lines and header in one transaction.
    explicit PlainInserts(const std::filesystem::path& databaseFile, bool perInvoice = false);
    ~PlainInserts();
    PlainInserts(const PlainInserts&) = delete;
    PlainInserts& operator=(const PlainInserts&) = delete;

    // Lines first, then the header, as the release writes them.
    void Write(const Invoice& invoice);

private:
    void Insert(const char* table, sqlite3_stmt*& statement, const Row& row);

    sqlite3* db_ = nullptr;
    bool perInvoice_;
    sqlite3_stmt* header_ = nullptr;
    sqlite3_stmt* line_ = nullptr;
};

// A fresh directory with library APLIB holding empty interface files.
std::filesystem::path FreshDatabase(const std::string& name);

}  // namespace benchdata
