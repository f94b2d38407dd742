#include "host_standin/host_values.h"

#include <array>
#include <string>

namespace standin {
namespace {

const std::array<kfx::Text, 5> kComputedNames = {u"Batch Name", u"Batch Class Name", u"Document Class Name",
                                                  u"Document ID", u"Release Date"};

}  // namespace

kfx::Text DocumentIdText(const BatchDocument& document) {
    const std::string digits = std::to_string(document.documentId);
    return kfx::Text(digits.begin(), digits.end());
}

std::span<const kfx::Text> HostComputedValueNames() { return kComputedNames; }

std::optional<kfx::Text> HostComputedValue(const kfx::Text& name, const DocumentClass& documentClass,
                                           const Batch& batch, const BatchDocument& document,
                                           const ReleaseContext& context) {
    if (name == kComputedNames[0]) return batch.batchName;
    if (name == kComputedNames[1]) return documentClass.batchClassName;
    if (name == kComputedNames[2]) return documentClass.documentClassName;
    if (name == kComputedNames[3]) return DocumentIdText(document);
    if (name == kComputedNames[4]) return context.releaseDate;
    return std::nullopt;
}

}  // namespace standin
