// The export of one document: settings, connection, header, lines, commit.
#pragma once

#include "host/kfx_types.h"
#include "host/release_data.h"

namespace veldmark {

// Releases the document of the release data and reports the outcome.
kfx::KfxReturnValue ReleaseDocument(kfx::IReleaseData* data);

}  // namespace veldmark
