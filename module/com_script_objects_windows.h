// The component's two classes as the platform's clients create them: each a
// dual interface of the type library around the portable object of its role.
#pragma once

#include "host/com.h"

namespace veldmark {

// CreateInstanceFunction for the class table; `outer` and `iid` are the
// platform's own.
kfx::HRESULT CreateComReleaseScript(kfx::IUnknown* outer, const kfx::Guid& iid, void** object);
kfx::HRESULT CreateComSetupScript(kfx::IUnknown* outer, const kfx::Guid& iid, void** object);

}  // namespace veldmark
