// Creates the component's objects as the real host does: the ProgID names a
// class identifier in the registry, the class names its library, the library
// is loaded and its class object creates the instance.
#pragma once

#include <map>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "host_standin/component_loader.h"
#include "host_standin/dynamic_library.h"
#include "host_standin/registry.h"

namespace standin {

struct RegisteredClass {
    kfx::Guid clsid;
    std::string library;  // full file path
};

// Throws ComponentLoadError saying what is missing when the ProgID or its
// class is not registered.
RegisteredClass FindRegisteredClass(const Registry& registry, const std::string& progId);

class RegistryLoader final : public ComponentLoader {
public:
    // The registry file is read at the first request. Failures are explained
    // on `err` before their result code is returned.
    RegistryLoader(std::filesystem::path registryFile, std::ostream& err)
        : registryFile_(std::move(registryFile)), err_(err) {}
    // Libraries the component says it can let go of are unloaded.
    ~RegistryLoader() override;

    kfx::HRESULT CreateInstance(const std::string& progId, const kfx::Guid& iid, void** object) override;

private:
    // A loaded component library with the entry points the host calls.
    struct LoadedLibrary {
        std::unique_ptr<DynamicLibrary> library;
        kfx::HRESULT (*getClassObject)(const kfx::Guid& clsid, const kfx::Guid& iid, void** object);
        kfx::HRESULT (*canUnloadNow)();
    };

    // Loads the library once; throws ComponentLoadError when it cannot be
    // loaded or lacks an entry point.
    const LoadedLibrary& Load(const std::string& file);

    std::filesystem::path registryFile_;
    std::optional<Registry> registry_;
    std::ostream& err_;
    std::map<std::string, LoadedLibrary> libraries_;
};

}  // namespace standin
