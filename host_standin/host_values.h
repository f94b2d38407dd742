// The Kofax Capture Values the host works out itself rather than reading
// them from the batch.
#pragma once

#include <optional>
#include <span>

#include "host/com.h"
#include "host_standin/batch.h"
#include "host_standin/document_class.h"

namespace standin {

// What a release run knows beyond the files.
struct ReleaseContext {
    kfx::Text releaseDate;  // "YYYY-MM-DD"
};

// "Batch Name", "Batch Class Name", "Document Class Name", "Document ID",
// "Release Date".
std::span<const kfx::Text> HostComputedValueNames();

// The document id as the host shows it: decimal digits.
kfx::Text DocumentIdText(const BatchDocument& document);

// The value when the name is one the host works out itself.
std::optional<kfx::Text> HostComputedValue(const kfx::Text& name, const DocumentClass& documentClass,
                                           const Batch& batch, const BatchDocument& document,
                                           const ReleaseContext& context);

}  // namespace standin
