#include "module/registration.h"

#include "module/class_table.h"
#include "module/identifiers.h"

namespace veldmark {

namespace {

constexpr const char* kAppIdName = "Kessarin";
constexpr const char* kModuleName = "Kessarin.DLL";

}  // namespace

void RegisterAppId(ClassesRoot& root) {
    const std::string appId = kfx::GuidToString(APPID_Kessarin);
    root.CreateKey("AppID");
    root.SetValue("AppID\\" + appId, "", kAppIdName);
    root.SetValue(std::string("AppID\\") + kModuleName, "AppID", appId);
}

void UnregisterAppId(ClassesRoot& root) {
    root.RemoveTree("AppID\\" + kfx::GuidToString(APPID_Kessarin));
    root.RemoveTree(std::string("AppID\\") + kModuleName);
}

void RegisterClasses(ClassesRoot& root, const std::string& modulePath) {
    for (const ClassEntry& entry : ClassTable()) {
        const std::string clsid = kfx::GuidToString(entry.clsid);
        root.SetValue(std::string(entry.progId) + "\\CLSID", "", clsid);
        root.CreateKey("CLSID");
        // Written afresh, so that registering again leaves one set of keys.
        const std::string classKey = "CLSID\\" + clsid;
        root.RemoveTree(classKey);
        root.SetValue(classKey, "", entry.progId);
        root.SetValue(classKey, "AppID", kfx::GuidToString(APPID_Kessarin));
        root.SetValue(classKey + "\\ProgID", "", entry.progId);
        root.CreateKey(classKey + "\\Programmable");
        root.SetValue(classKey + "\\InprocServer32", "", modulePath);
        root.SetValue(classKey + "\\InprocServer32", "ThreadingModel", "Both");
        root.SetValue(classKey + "\\TypeLib", "", kfx::GuidToString(LIBID_Kessarin));
    }
}

void UnregisterClasses(ClassesRoot& root) {
    for (const ClassEntry& entry : ClassTable()) {
        root.RemoveTree(entry.progId);
        root.RemoveTree("CLSID\\" + kfx::GuidToString(entry.clsid));
    }
}

}  // namespace veldmark
