// The stand-in host's registry of components: a tree of keys, each with
// named text values ("" is a key's default value) and subkeys, kept in one
// JSON file. Components write their registration here and the host looks
// classes up here, as the real host does in the system registry.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>

namespace standin {

struct RegistryKey {
    std::map<std::string, std::string> values;
    std::map<std::string, RegistryKey> subkeys;
};

// A registry file that cannot be read or written; the text names the file.
class RegistryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Registry {
public:
    // $VELDMARK_REGISTRY when set, else ~/.veldmark/registry.json.
    static std::filesystem::path DefaultLocation();

    // A missing file is an empty registry; an unreadable or malformed one throws.
    static Registry Load(const std::filesystem::path& file);
    // Writes a temporary file beside the target and renames it over, so a
    // failed save leaves the previous registry whole.
    void Save(const std::filesystem::path& file) const;

    // Paths name keys from the root, separated by backslashes: "CLSID\\{...}".
    const RegistryKey* Find(const std::string& path) const;
    RegistryKey& Create(const std::string& path);
    // Removes the key and everything below it; false when it was not there.
    bool Remove(const std::string& path);
    // The value, or nothing when the key or the value is missing.
    std::optional<std::string> Value(const std::string& path, const std::string& name = "") const;

    const RegistryKey& Root() const { return root_; }

private:
    RegistryKey root_;
};

}  // namespace standin
