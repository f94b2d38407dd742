#include "module/registration.h"

#include <cstdio>

#include "module/class_table.h"
#include "module/identifiers.h"
#include "module/type_library.h"

namespace veldmark {

namespace {

constexpr const char* kAppIdName = "Kessarin";
constexpr const char* kModuleName = "Kessarin.DLL";

std::string TypeLibraryVersionKey(const TypeLibrary& library) {
    return "TypeLib\\" + kfx::GuidToString(library.libraryId) + "\\" + std::to_string(library.majorVersion) + "." +
           std::to_string(library.minorVersion);
}

std::string LocaleText(std::uint32_t locale) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(locale));
    return text;
}

void RegisterAppId(standin::Registry& registry) {
    const std::string appId = kfx::GuidToString(APPID_Kessarin);
    registry.Create("AppID");
    registry.Create("AppID\\" + appId).values[""] = kAppIdName;
    registry.Create(std::string("AppID\\") + kModuleName).values["AppID"] = appId;
}

void UnregisterAppId(standin::Registry& registry) {
    registry.Remove("AppID\\" + kfx::GuidToString(APPID_Kessarin));
    registry.Remove(std::string("AppID\\") + kModuleName);
}

void RegisterClass(standin::Registry& registry, const ClassEntry& entry, const std::string& modulePath) {
    const std::string clsid = kfx::GuidToString(entry.clsid);
    registry.Create(std::string(entry.progId) + "\\CLSID").values[""] = clsid;
    registry.Create("CLSID");
    // Written afresh, so that registering again leaves one set of keys.
    const std::string classKey = "CLSID\\" + clsid;
    registry.Remove(classKey);
    standin::RegistryKey& key = registry.Create(classKey);
    key.values[""] = entry.progId;
    key.values["AppID"] = kfx::GuidToString(APPID_Kessarin);
    key.subkeys["ProgID"].values[""] = entry.progId;
    key.subkeys["Programmable"];
    standin::RegistryKey& server = key.subkeys["InprocServer32"];
    server.values[""] = modulePath;
    server.values["ThreadingModel"] = "Both";
    key.subkeys["TypeLib"].values[""] = kfx::GuidToString(LIBID_Kessarin);
}

void UnregisterClass(standin::Registry& registry, const ClassEntry& entry) {
    registry.Remove(entry.progId);
    registry.Remove("CLSID\\" + kfx::GuidToString(entry.clsid));
}

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

}  // namespace

void RegisterComponent(standin::Registry& registry, const std::string& modulePath) {
    RegisterAppId(registry);
    for (const ClassEntry& entry : ClassTable()) RegisterClass(registry, entry, modulePath);
    RegisterTypeLibrary(registry, modulePath);
}

void UnregisterComponent(standin::Registry& registry) {
    UnregisterAppId(registry);
    for (const ClassEntry& entry : ClassTable()) UnregisterClass(registry, entry);
    UnregisterTypeLibrary(registry);
}

}  // namespace veldmark
