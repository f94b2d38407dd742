// The stored setup of one document class, as the host keeps it.
#pragma once

#include <vector>

#include "host/com.h"
#include "host_standin/records.h"

namespace standin {

struct DocumentClass {
    kfx::Text batchClassName;
    kfx::Text documentClassName;
    kfx::Text releaseScriptName;
    kfx::Text connectString;
    kfx::Text userName;
    kfx::Text password;
    std::vector<CustomPropertyRecord> customProperties;
    std::vector<IndexFieldRecord> indexFields;
    std::vector<kfx::Text> batchFields;
    std::vector<kfx::Text> hostValueNames;  // the Kofax Capture Values setup may choose from
    std::vector<LinkRecord> links;

    friend bool operator==(const DocumentClass&, const DocumentClass&) = default;
};

}  // namespace standin
