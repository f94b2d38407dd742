#include "setup/module_version.h"

#include "host/windows_api.h"

#include <string>
#include <vector>

#include "host/utf8.h"
#include "module/platform.h"

namespace veldmark {

// The version resource of the component's own file, whatever program loaded it.
std::optional<ModuleVersion> ReadModuleVersion() {
    const kfx::Text text = kfx::FromUtf8(platform::ModuleFilePath());
    if (text.empty()) return std::nullopt;
    const std::wstring path(text.begin(), text.end());
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    std::vector<BYTE> info(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, info.data())) return std::nullopt;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || length < sizeof *fixed ||
        fixed->dwSignature != VS_FFI_SIGNATURE) {
        return std::nullopt;
    }
    return ModuleVersion{HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                         HIWORD(fixed->dwFileVersionLS)};
}

}  // namespace veldmark
