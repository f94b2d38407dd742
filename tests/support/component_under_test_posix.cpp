#include "release/create_release_script.h"
#include "tests/support/component_under_test.h"

namespace testsupport {

kfx::HRESULT NewReleaseScript(kfx::ComPtr<kfx::IKfxReleaseScript>& script) {
    return veldmark::CreateReleaseScript(nullptr, kfx::IID_IKfxReleaseScript, reinterpret_cast<void**>(script.Put()));
}

kfx::ComPtr<kfx::IReleaseSetupData> AsComponentReachesIt(kfx::IReleaseSetupData* host) {
    return kfx::ComPtr<kfx::IReleaseSetupData>(host);
}

}  // namespace testsupport
