#include "module/registration.h"

#include "module/class_table.h"
#include "module/identifiers.h"
#include "module/registry_script.h"
#include "module/registry_script_text.h"

namespace veldmark {
namespace {

// What the scripts' %NAME%s stand for; the module's path only matters when
// registering.
ScriptReplacements Replacements(const std::string& modulePath) {
    return {{"MODULE", modulePath}, {"APPID", kfx::GuidToString(APPID_Kessarin)}};
}

void Run(int script, const std::string& modulePath, ScriptAction action, ClassesRoot& root) {
    RunRegistryScript(RegistryScriptText(script), Replacements(modulePath), action, root);
}

}  // namespace

void RegisterAppId(ClassesRoot& root) { Run(kAppIdScript, "", ScriptAction::Register, root); }

void UnregisterAppId(ClassesRoot& root) { Run(kAppIdScript, "", ScriptAction::Unregister, root); }

void RegisterClasses(ClassesRoot& root, const std::string& modulePath) {
    for (const ClassEntry& entry : ClassTable()) Run(entry.registryScript, modulePath, ScriptAction::Register, root);
}

void UnregisterClasses(ClassesRoot& root) {
    for (const ClassEntry& entry : ClassTable()) Run(entry.registryScript, "", ScriptAction::Unregister, root);
}

}  // namespace veldmark
