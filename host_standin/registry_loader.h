// Creates the component's objects as the real host does: the ProgID names a
// class identifier in the registry, the class names its library, the library
// is loaded and its class object creates the instance.
#pragma once

#include <map>
#include <memory>
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
    // Failures are explained on `err` before their result code is returned.
    RegistryLoader(Registry registry, std::ostream& err) : registry_(std::move(registry)), err_(err) {}
    // Libraries the component says it can let go of are unloaded.
    ~RegistryLoader() override;

    kfx::HRESULT CreateInstance(const std::string& progId, const kfx::Guid& iid, void** object) override;

private:
    DynamicLibrary& Library(const std::string& file);

    Registry registry_;
    std::ostream& err_;
    std::map<std::string, std::unique_ptr<DynamicLibrary>> libraries_;
};

}  // namespace standin
