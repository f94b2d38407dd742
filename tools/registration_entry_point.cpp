#include "tools/registration_entry_point.h"

#include "host_standin/dynamic_library.h"
#include "tools/status_text.h"

namespace standin {

namespace {

// DllRegisterServer and DllUnregisterServer have the same shape.
using RegistrationFunction = kfx::HRESULT (*)();

}  // namespace

int CallRegistrationEntryPoint(const std::filesystem::path& library, const char* entryPoint, const char* done,
                               const std::string& registry, const CommandStreams& streams) {
    try {
        std::error_code error;
        const std::filesystem::path file = std::filesystem::absolute(library, error);
        DynamicLibrary component(error ? library : file);
        const kfx::HRESULT hr = component.EntryPoint<RegistrationFunction>(entryPoint)();
        if (kfx::Failed(hr)) {
            streams.err << "veldmark: " << entryPoint << " of " << component.File().string() << " failed with "
                        << StatusText(hr) << "; the registry " << registry << " is unchanged\n";
            return kExitNothingDone;
        }
        streams.out << done << " " << component.File().string() << " in " << registry << "\n";
        return kExitSuccess;
    } catch (const ComponentLoadError& error) {
        streams.err << "veldmark: " << error.what() << "\n";
    }
    return kExitNothingDone;
}

}  // namespace standin
