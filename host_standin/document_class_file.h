// The document-class file of the store: one JSON file per document class,
// read by release and setup, rewritten by setup's Apply.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "host_standin/document_class.h"

namespace standin {

constexpr int kDocumentClassFormatVersion = 1;
// A document class holds its settings, index fields and one link per
// destination: tens of kilobytes even for a large class.
constexpr std::size_t kDocumentClassFileLimit = 1024 * 1024;

// Throws StoreError naming the file and the place of the first problem.
DocumentClass ParseDocumentClass(std::string_view text, const std::string& file);
// As ParseDocumentClass, and a file that is not regular or exceeds
// kDocumentClassFileLimit.
DocumentClass LoadDocumentClass(const std::filesystem::path& path);

// Every key, in a fixed order, indented; ParseDocumentClass reads it back equal.
std::string DocumentClassJson(const DocumentClass& documentClass);
// Replaces the file atomically; throws StoreError when it cannot.
void SaveDocumentClass(const std::filesystem::path& path, const DocumentClass& documentClass);

}  // namespace standin
