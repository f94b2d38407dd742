// Writes the component's registration and removes it again, by its registry
// scripts: the AppID and both classes with their ProgIDs, under the root of
// class registrations (HKEY_CLASSES_ROOT on Windows, the stand-in host's
// registry elsewhere).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace veldmark {

// The keys below the root, named by paths such as "CLSID\{...}\ProgID".
class ClassesRoot {
public:
    virtual ~ClassesRoot() = default;
    // Creates the key and any missing key above it.
    virtual void CreateKey(const std::string& key) = 0;
    // Creates the key as CreateKey does; the empty name is the default value.
    virtual void SetValue(const std::string& key, const std::string& name, const std::string& data) = 0;
    // Removes the key and everything below it; nothing to do when it is absent.
    virtual void RemoveTree(const std::string& key) = 0;
};

// Why the root refused a change; `result` is the failure to report.
class RegistrationError : public std::runtime_error {
public:
    RegistrationError(const std::string& what, std::int32_t result) : std::runtime_error(what), result(result) {}
    std::int32_t result;
};

// `modulePath` is the component library's full file path. Each throws
// RegistrationError from the root, and RegistryScriptError for a script the
// component carries that does not read.
void RegisterAppId(ClassesRoot& root);
void RegisterClasses(ClassesRoot& root, const std::string& modulePath);
// Keep the shared "AppID" and "CLSID" keys, which other components use too.
void UnregisterAppId(ClassesRoot& root);
void UnregisterClasses(ClassesRoot& root);

}  // namespace veldmark
