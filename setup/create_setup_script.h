// Creates the component's setup object (standalone, or aggregated when an
// outer object is given) and hands out the requested interface.
#pragma once

#include "host/com.h"

namespace veldmark {

kfx::HRESULT CreateSetupScript(kfx::IUnknown* outer, const kfx::Guid& iid, void** object);

}  // namespace veldmark
