// DllRegisterServer and DllUnregisterServer: the component's registration
// with the platform, with the results its clients expect.
#pragma once

#include "host/com.h"

namespace veldmark {

kfx::HRESULT RegisterServer();
kfx::HRESULT UnregisterServer();

}  // namespace veldmark
