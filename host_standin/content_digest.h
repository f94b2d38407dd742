// What tells a document's release in the log from another document's under
// the same id: a digest of everything the host captured for it, so that a
// new batch written where an earlier one lay, or a document captured anew,
// is never taken for one already released.
#pragma once

#include <string>

#include "host_standin/batch.h"

namespace standin {

// 16 hexadecimal digits (FNV-1a, 64 bits) of the batch's name and fields and
// the document's file name, fields, tables and host values; the document id
// is not part of it.
std::string ContentDigest(const Batch& batch, const BatchDocument& document);

}  // namespace standin
