#include "setup/create_setup_script.h"

#include <memory>
#include <new>

#include "setup/qt/qt_settings_sheet_runner.h"
#include "setup/setup_script.h"

namespace veldmark {

kfx::HRESULT CreateSetupScript(kfx::IUnknown* outer, const kfx::Guid& iid, void** object) {
    std::unique_ptr<SettingsSheetRunner> runner(new (std::nothrow) QtSettingsSheetRunner);
    if (!runner) {
        if (object) *object = nullptr;
        return kfx::HR_E_OUTOFMEMORY;
    }
    return TarvelSetupScript::Create(outer, iid, object, std::move(runner));
}

}  // namespace veldmark
