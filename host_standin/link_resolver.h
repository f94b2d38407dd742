// Turns the stored links into one document's values, as the host does at
// release: one value per link, in stored order, its destination the link's,
// its text the link's source resolved for the document.
#pragma once

#include "host_standin/batch.h"
#include "host_standin/document_class.h"
#include "host_standin/host_values.h"
#include "host_standin/records.h"

namespace standin {

// Source types: index field (0) gives the document's field text, or for a
// table field the table's name and its rows with an empty text of its own;
// text constant (1) the source itself; host value (2) the document's host
// value or one the host works out; batch field (3) the batch's value;
// document id (4) the id. A source that resolves to nothing, and "no
// mapping" (-1), give empty text.
ResolvedValue ResolveLink(const LinkRecord& link, const DocumentClass& documentClass, const Batch& batch,
                          const BatchDocument& document, const ReleaseContext& context);

// Everything the release data of the document offers.
ReleaseDocument ResolveDocument(const DocumentClass& documentClass, const Batch& batch,
                                const BatchDocument& document, const ReleaseContext& context);

}  // namespace standin
