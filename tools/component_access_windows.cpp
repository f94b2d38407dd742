#include "host/windows_api.h"

#include <objbase.h>

#include <string>

#include "host/utf8.h"
#include "tools/com_class_loader_windows.h"
#include "tools/component_access.h"
#include "tools/registration_entry_point.h"

namespace standin {

namespace {

// Where the component writes its registration on Windows.
const std::string kRegistry = "HKEY_CLASSES_ROOT";

// The library registered for the ProgID's class; nullopt after saying why
// there is none.
std::optional<std::filesystem::path> RegisteredLibrary(const char* progId, std::ostream& err) {
    const std::wstring name(progId, progId + std::char_traits<char>::length(progId));
    CLSID clsid;
    wchar_t clsidText[40] = {};
    if (FAILED(CLSIDFromProgID(name.c_str(), &clsid)) || StringFromGUID2(clsid, clsidText, 40) == 0) {
        err << "veldmark: no component is registered for " << progId
            << "; name the library: veldmark unregister <path to Kessarin.dll>\n";
        return std::nullopt;
    }
    const std::wstring key = std::wstring(L"CLSID\\") + clsidText + L"\\InprocServer32";
    wchar_t path[MAX_PATH * 4] = {};
    DWORD size = sizeof path;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, path, &size) != ERROR_SUCCESS) {
        err << "veldmark: the class of " << progId << " names no library in " << kRegistry
            << "; name the library: veldmark unregister <path to Kessarin.dll>\n";
        return std::nullopt;
    }
    return std::filesystem::path(path);
}

}  // namespace

int RunRegister(const std::filesystem::path& library, const CommandStreams& streams) {
    return CallRegistrationEntryPoint(library, "DllRegisterServer", "Registered", kRegistry, streams);
}

int RunUnregister(const std::optional<std::filesystem::path>& library, const CommandStreams& streams) {
    const std::optional<std::filesystem::path> file = library ? library : RegisteredLibrary(kReleaseScriptProgId, streams.err);
    if (!file) return kExitNothingDone;
    return CallRegistrationEntryPoint(*file, "DllUnregisterServer", "Unregistered", kRegistry, streams);
}

std::unique_ptr<ComponentLoader> OpenComponentLoader(std::ostream& err) {
    return std::make_unique<ComClassLoader>(err);
}

}  // namespace standin
