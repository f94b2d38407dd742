#include "module/server_registration.h"

#include <cstdio>
#include <new>

#include "host_standin/registry.h"
#include "module/platform.h"
#include "module/registration.h"
#include "module/registry_script.h"
#include "module/type_library.h"

namespace veldmark {
namespace {

// The stand-in host's registry as the root of class registrations.
class StandInClassesRoot final : public ClassesRoot {
public:
    explicit StandInClassesRoot(standin::Registry& registry) : registry_(registry) {}
    void CreateKey(const std::string& key) override { registry_.Create(key); }
    void SetValue(const std::string& key, const std::string& name, const std::string& data) override {
        registry_.Create(key).values[name] = data;
    }
    void RemoveTree(const std::string& key) override { registry_.Remove(key); }

private:
    standin::Registry& registry_;
};

std::string TypeLibraryVersionKey(const TypeLibrary& library) {
    return "TypeLib\\" + kfx::GuidToString(library.libraryId) + "\\" + std::to_string(library.majorVersion) + "." +
           std::to_string(library.minorVersion);
}

std::string LocaleText(std::uint32_t locale) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(locale));
    return text;
}

// The keys the platform writes when it registers a type library.
void RegisterTypeLibrary(standin::Registry& registry, const std::string& modulePath) {
    const TypeLibrary& library = KessarinTypeLibrary();
    const std::string versionKey = TypeLibraryVersionKey(library);
    registry.Remove(versionKey);
    standin::RegistryKey& version = registry.Create(versionKey);
    version.values[""] = library.name;
    version.subkeys[LocaleText(library.locale)].subkeys["linux"].values[""] = modulePath;
    version.subkeys["FLAGS"].values[""] = "0";
    for (const TypeLibraryInterface& interface : library.interfaces) {
        standin::RegistryKey& key = registry.Create("Interface\\" + kfx::GuidToString(interface.iid));
        key.values[""] = interface.name;
        standin::RegistryKey& typeLib = key.subkeys["TypeLib"];
        typeLib.values[""] = kfx::GuidToString(library.libraryId);
        typeLib.values["Version"] = std::to_string(library.majorVersion) + "." + std::to_string(library.minorVersion);
    }
}

void UnregisterTypeLibrary(standin::Registry& registry) {
    const TypeLibrary& library = KessarinTypeLibrary();
    registry.Remove(TypeLibraryVersionKey(library));
    const std::string libraryKey = "TypeLib\\" + kfx::GuidToString(library.libraryId);
    if (const standin::RegistryKey* key = registry.Find(libraryKey); key && key->subkeys.empty())
        registry.Remove(libraryKey);
    for (const TypeLibraryInterface& interface : library.interfaces)
        registry.Remove("Interface\\" + kfx::GuidToString(interface.iid));
}

// Reads the registry where the host reads it, lets `change` edit it and
// saves it; a registry that cannot be read or written fails the call.
template <class Change>
kfx::HRESULT ChangeRegistry(Change change) {
    try {
        const auto location = standin::Registry::DefaultLocation();
        standin::Registry registry = standin::Registry::Load(location);
        change(registry);
        registry.Save(location);
        return kfx::HR_S_OK;
    } catch (const standin::RegistryError&) {
        return kfx::HR_E_FAIL;
    } catch (const RegistryScriptError&) {
        return kfx::HR_E_UNEXPECTED;
    } catch (const std::bad_alloc&) {
        return kfx::HR_E_OUTOFMEMORY;
    }
}

}  // namespace

kfx::HRESULT RegisterServer() {
    const std::string modulePath = platform::ModuleFilePath();
    if (modulePath.empty()) return kfx::HR_E_UNEXPECTED;
    return ChangeRegistry([&](standin::Registry& registry) {
        StandInClassesRoot root(registry);
        RegisterAppId(root);
        RegisterClasses(root, modulePath);
        RegisterTypeLibrary(registry, modulePath);
    });
}

kfx::HRESULT UnregisterServer() {
    return ChangeRegistry([](standin::Registry& registry) {
        StandInClassesRoot root(registry);
        UnregisterAppId(root);
        UnregisterClasses(root);
        UnregisterTypeLibrary(registry);
    });
}

}  // namespace veldmark
