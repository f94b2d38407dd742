// The batch file of the store: batch field values and the documents to
// release, checked against the document class they belong to.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "host_standin/batch.h"
#include "host_standin/document_class.h"

namespace standin {

constexpr int kBatchFormatVersion = 1;
// Room for some 23,000 documents like the samples' (about 730 bytes each
// with their lines), far more than a batch holds; the parsed tree of a file
// this size takes a few hundred megabytes at most.
constexpr std::size_t kBatchFileLimit = 16 * 1024 * 1024;

// Throws StoreError naming the file and the place of the first problem: JSON
// errors as for the document class, and any name the document class does not
// declare (batch field, index field, table, table field, host value).
Batch ParseBatch(std::string_view text, const std::string& file, const DocumentClass& documentClass);
// As ParseBatch, and a file that is not regular or exceeds kBatchFileLimit.
Batch LoadBatch(const std::filesystem::path& path, const DocumentClass& documentClass);

}  // namespace standin
