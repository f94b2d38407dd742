#include "module/unavailable_sheet_runner_windows.h"

#include "host/windows_api.h"

namespace veldmark {

bool UnavailableSheetRunner::Run(const kfx::Text& title, SetupModel&) {
    MessageBoxW(nullptr, L"This build of the component has no settings sheet yet; nothing was changed.",
                reinterpret_cast<const wchar_t*>(title.c_str()), MB_OK | MB_ICONINFORMATION);
    return false;
}

}  // namespace veldmark
