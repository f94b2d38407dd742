// The component as the tests meet it. On Windows through its platform layer:
// the release object is its COM class, driven as the stand-in host drives
// it, and the host's objects reach the component late-bound, by member name.
// Elsewhere the portable objects, as the shared library's classes are.
#pragma once

#include "host/com.h"
#include "host/release_script.h"
#include "host/release_setup_data.h"

namespace testsupport {

kfx::HRESULT NewReleaseScript(kfx::ComPtr<kfx::IKfxReleaseScript>& script);

// The stand-in's setup data as the component's setup code reaches it.
kfx::ComPtr<kfx::IReleaseSetupData> AsComponentReachesIt(kfx::IReleaseSetupData* host);

}  // namespace testsupport
