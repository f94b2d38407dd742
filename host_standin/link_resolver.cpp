#include "host_standin/link_resolver.h"

#include <algorithm>

#include "host/kfx_types.h"

namespace standin {
namespace {

kfx::Text Lookup(const FieldValues& values, const kfx::Text& name) {
    auto found = values.find(name);
    return found == values.end() ? kfx::Text() : found->second;
}

void ResolveIndexField(const kfx::Text& name, const DocumentClass& documentClass, const BatchDocument& document,
                       ResolvedValue& resolved) {
    auto field = std::find_if(documentClass.indexFields.begin(), documentClass.indexFields.end(),
                              [&](const IndexFieldRecord& candidate) { return candidate.name == name; });
    if (field == documentClass.indexFields.end() || field->tableName.empty()) {
        resolved.value = Lookup(document.indexFields, name);
        return;
    }
    resolved.tableName = field->tableName;
    auto table = document.tables.find(field->tableName);
    if (table == document.tables.end()) return;
    for (const FieldValues& row : table->second) resolved.rows.push_back(Lookup(row, name));
}

}  // namespace

ResolvedValue ResolveLink(const LinkRecord& link, const DocumentClass& documentClass, const Batch& batch,
                          const BatchDocument& document, const ReleaseContext& context) {
    ResolvedValue resolved;
    resolved.destination = link.destination;
    switch (link.sourceType) {
        case kfx::KFX_REL_INDEXFIELD: ResolveIndexField(link.source, documentClass, document, resolved); break;
        case kfx::KFX_REL_TEXTCONSTANT: resolved.value = link.source; break;
        case kfx::KFX_REL_VARIABLE:
            if (auto computed = HostComputedValue(link.source, documentClass, batch, document, context)) {
                resolved.value = *computed;
            } else {
                resolved.value = Lookup(document.hostValues, link.source);
            }
            break;
        case kfx::KFX_REL_BATCHFIELD: resolved.value = Lookup(batch.batchFields, link.source); break;
        case kfx::KFX_REL_DOCUMENTID: resolved.value = DocumentIdText(document); break;
        default: break;  // no mapping (-1): empty text
    }
    return resolved;
}

ReleaseDocument ResolveDocument(const DocumentClass& documentClass, const Batch& batch,
                                const BatchDocument& document, const ReleaseContext& context) {
    ReleaseDocument release;
    release.pdfFileName = document.pdfFileName;
    release.connectString = documentClass.connectString;
    release.userName = documentClass.userName;
    release.password = documentClass.password;
    release.customProperties = documentClass.customProperties;
    release.values.reserve(documentClass.links.size());
    for (const LinkRecord& link : documentClass.links) {
        release.values.push_back(ResolveLink(link, documentClass, batch, document, context));
    }
    return release;
}

}  // namespace standin
