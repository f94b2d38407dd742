#include "tools/registration_command.h"

#include "host/class_factory.h"
#include "host_standin/component_loader.h"
#include "host_standin/dynamic_library.h"
#include "host_standin/registry.h"
#include "host_standin/registry_loader.h"
#include "tools/status_text.h"

namespace standin {

namespace {

// DllRegisterServer and DllUnregisterServer have the same shape.
using RegistrationFunction = kfx::HRESULT (*)();

// Loads the library and calls one of its registration entry points.
int CallEntryPoint(const std::filesystem::path& registryFile, const std::filesystem::path& library,
                   const char* entryPoint, const char* done, const CommandStreams& streams) {
    try {
        // A registry the component could not read is explained here, by name.
        Registry::Load(registryFile);
        std::error_code error;
        const std::filesystem::path file = std::filesystem::absolute(library, error);
        DynamicLibrary component(error ? library : file);
        const kfx::HRESULT hr = component.EntryPoint<RegistrationFunction>(entryPoint)();
        if (kfx::Failed(hr)) {
            streams.err << "veldmark: " << entryPoint << " of " << component.File().string() << " failed with "
                        << StatusText(hr) << "; the registry " << registryFile.string() << " is unchanged\n";
            return kExitNothingDone;
        }
        streams.out << done << " " << component.File().string() << " in " << registryFile.string() << "\n";
        return kExitSuccess;
    } catch (const ComponentLoadError& error) {
        streams.err << "veldmark: " << error.what() << "\n";
    } catch (const RegistryError& error) {
        streams.err << "veldmark: " << error.what() << "\n";
    }
    return kExitNothingDone;
}

}  // namespace

int RunRegister(const std::filesystem::path& registryFile, const std::filesystem::path& library,
                const CommandStreams& streams) {
    return CallEntryPoint(registryFile, library, "DllRegisterServer", "Registered", streams);
}

int RunUnregister(const std::filesystem::path& registryFile, const std::optional<std::filesystem::path>& library,
                  const CommandStreams& streams) {
    if (library) return CallEntryPoint(registryFile, *library, "DllUnregisterServer", "Unregistered", streams);
    try {
        const RegisteredClass registered = FindRegisteredClass(Registry::Load(registryFile), kReleaseScriptProgId);
        return CallEntryPoint(registryFile, registered.library, "DllUnregisterServer", "Unregistered", streams);
    } catch (const ComponentLoadError& error) {
        streams.err << "veldmark: " << error.what() << "\n";
    } catch (const RegistryError& error) {
        streams.err << "veldmark: " << error.what() << "\n";
    }
    return kExitNothingDone;
}

}  // namespace standin
