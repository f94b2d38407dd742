// The component's classes as the stand-in host drives them on Windows:
// through their dual interfaces, behind the host's own view of them
// (kfx::IKfxReleaseScript, kfx::IKfxReleaseSetupScript), with the host's
// objects handed over as automation objects that answer by name only.
#pragma once

#include "host/windows_api.h"

#include <unknwn.h>

#include "host/com.h"

namespace standin {

// Asks the component's object for the interface behind the host's view
// `iid` and hands out that view, with one reference for the caller.
kfx::HRESULT ClientOf(::IUnknown* component, const kfx::Guid& iid, void** object);

}  // namespace standin
