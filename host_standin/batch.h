// A batch as the host captured it: batch field values and documents.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "host/com.h"

namespace standin {

using FieldValues = std::map<kfx::Text, kfx::Text>;  // field name to text

struct BatchDocument {
    std::int64_t documentId = 0;
    kfx::Text pdfFileName;
    FieldValues indexFields;                                // fields outside tables
    std::map<kfx::Text, std::vector<FieldValues>> tables;   // table name to its rows, in order
    FieldValues hostValues;                                 // as "First Page Original File Name"

    friend bool operator==(const BatchDocument&, const BatchDocument&) = default;
};

struct Batch {
    kfx::Text batchName;
    FieldValues batchFields;
    std::vector<BatchDocument> documents;

    friend bool operator==(const Batch&, const Batch&) = default;
};

}  // namespace standin
