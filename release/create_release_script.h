// Creates the release object and hands out one of its interfaces.
#pragma once

#include "host/com.h"

namespace veldmark {

// `outer` is the controlling object when the release object is aggregated.
kfx::HRESULT CreateReleaseScript(kfx::IUnknown* outer, const kfx::Guid& iid, void** object);

// Drops the process-wide release data; called when the component unloads.
void ReleaseCurrentReleaseData();

}  // namespace veldmark
