#include "host/windows_api.h"

#include "host/late_bound_host_windows.h"
#include "host_standin/automation_host_objects_windows.h"
#include "host_standin/component_client_windows.h"
#include "module/com_script_objects_windows.h"
#include "tests/support/component_under_test.h"

namespace testsupport {

kfx::HRESULT NewReleaseScript(kfx::ComPtr<kfx::IKfxReleaseScript>& script) {
    // A COM object: held and called as one.
    kfx::ComPtr<::IUnknown> component;
    const kfx::HRESULT hr =
        veldmark::CreateComReleaseScript(nullptr, kfx::IID_IUnknown, reinterpret_cast<void**>(component.Put()));
    if (kfx::Failed(hr)) return hr;
    return standin::ClientOf(component.Get(), kfx::IID_IKfxReleaseScript, reinterpret_cast<void**>(script.Put()));
}

kfx::ComPtr<kfx::IReleaseSetupData> AsComponentReachesIt(kfx::IReleaseSetupData* host) {
    const kfx::ComPtr<IDispatch> object = kfx::ComPtr<IDispatch>::Adopt(standin::automation::AutomationObjectOf(host));
    return kfx::late_bound::ReleaseSetupDataOf(object.Get());
}

}  // namespace testsupport
