// The plain data the stand-in host objects are built from.
#pragma once

#include <cstdint>
#include <vector>

#include "host/com.h"

namespace standin {

struct CustomPropertyRecord {
    kfx::Text name;
    kfx::Text value;

    friend bool operator==(const CustomPropertyRecord&, const CustomPropertyRecord&) = default;
};

struct LinkRecord {
    kfx::Text source;
    std::int32_t sourceType = -1;  // a kfx::KfxLinkSourceType
    kfx::Text destination;

    friend bool operator==(const LinkRecord&, const LinkRecord&) = default;
};

struct IndexFieldRecord {
    kfx::Text name;
    kfx::Text tableName;  // empty unless the field belongs to a table

    friend bool operator==(const IndexFieldRecord&, const IndexFieldRecord&) = default;
};

// One link resolved for one document: what a Value offers the release script.
struct ResolvedValue {
    kfx::Text destination;
    kfx::Text value;                // empty for a table field
    kfx::Text tableName;            // empty unless the source is a table field
    std::vector<kfx::Text> rows;    // the table field's text in each row, in row order

    friend bool operator==(const ResolvedValue&, const ResolvedValue&) = default;
};

// Everything the host hands the release script for one document.
struct ReleaseDocument {
    kfx::Text pdfFileName;
    kfx::Text connectString;
    kfx::Text userName;
    kfx::Text password;
    std::vector<ResolvedValue> values;
    std::vector<CustomPropertyRecord> customProperties;
};

}  // namespace standin
