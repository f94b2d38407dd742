#include "tools/component_access.h"

#include <optional>

#include "host_standin/component_loader.h"
#include "host_standin/registry.h"
#include "host_standin/registry_loader.h"
#include "tools/registration_entry_point.h"

namespace standin {

namespace {

// Calls the entry point once the registry it writes to is known to be
// readable: one the component could not read is explained here, by name.
int CallEntryPoint(const std::filesystem::path& registryFile, const std::filesystem::path& library,
                   const char* entryPoint, const char* done, const CommandStreams& streams) {
    try {
        Registry::Load(registryFile);
    } catch (const RegistryError& error) {
        streams.err << "veldmark: " << error.what() << "\n";
        return kExitNothingDone;
    }
    return CallRegistrationEntryPoint(library, entryPoint, done, registryFile.string(), streams);
}

// The host's registry file; nullopt after saying why it has none.
std::optional<std::filesystem::path> RegistryFile(std::ostream& err) {
    try {
        return Registry::DefaultLocation();
    } catch (const RegistryError& error) {
        err << "veldmark: " << error.what() << "\n";
        return std::nullopt;
    }
}

}  // namespace

int RunRegister(const std::filesystem::path& library, const CommandStreams& streams) {
    const auto registryFile = RegistryFile(streams.err);
    if (!registryFile) return kExitNothingDone;
    return CallEntryPoint(*registryFile, library, "DllRegisterServer", "Registered", streams);
}

int RunUnregister(const std::optional<std::filesystem::path>& library, const CommandStreams& streams) {
    const auto found = RegistryFile(streams.err);
    if (!found) return kExitNothingDone;
    const std::filesystem::path& registryFile = *found;
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

std::unique_ptr<ComponentLoader> OpenComponentLoader(std::ostream& err) {
    const auto registryFile = RegistryFile(err);
    if (!registryFile) return nullptr;
    return std::make_unique<RegistryLoader>(*registryFile, err);
}

}  // namespace standin
