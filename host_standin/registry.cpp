#include "host_standin/registry.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "host_standin/display_text.h"
#include "host_standin/json_text.h"
#include "host_standin/store_error.h"
#include "host_standin/text_file.h"

namespace standin {

namespace {

constexpr int kFormatVersion = 1;
// A registration takes a few kilobytes; the registry holds a handful.
constexpr std::size_t kRegistryFileLimit = 1024 * 1024;

std::string Quoted(const std::string& name) { return "\"" + Excerpt(name) + "\""; }

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream stream(path);
    while (std::getline(stream, part, '\\'))
        if (!part.empty()) parts.push_back(part);
    return parts;
}

Json KeyToJson(const RegistryKey& key) {
    Json json = Json::object();
    json["values"] = Json::object();
    for (const auto& [name, data] : key.values) json["values"][name] = data;
    json["subkeys"] = Json::object();
    for (const auto& [name, subkey] : key.subkeys) json["subkeys"][name] = KeyToJson(subkey);
    return json;
}

RegistryKey KeyFromJson(const Json& json, const std::string& where) {
    if (!json.is_object()) throw RegistryError(where + " is not an object");
    RegistryKey key;
    for (const auto& [member, content] : json.items()) {
        if (member == "values") {
            if (!content.is_object()) throw RegistryError(where + ".values is not an object");
            for (const auto& [name, data] : content.items()) {
                if (!data.is_string()) throw RegistryError(MemberPath(where + ".values", name) + " is not a text");
                key.values[name] = data.get<std::string>();
            }
        } else if (member == "subkeys") {
            if (!content.is_object()) throw RegistryError(where + ".subkeys is not an object");
            for (const auto& [name, subkey] : content.items())
                key.subkeys[name] = KeyFromJson(subkey, MemberPath(where + ".subkeys", name));
        } else {
            throw RegistryError(where + " has the unknown member " + Quoted(member));
        }
    }
    return key;
}

}  // namespace

std::filesystem::path Registry::DefaultLocation() {
    if (const char* file = std::getenv("VELDMARK_REGISTRY"); file && *file) return file;
    const char* home = std::getenv("HOME");
    if (!home || !*home) throw RegistryError("neither VELDMARK_REGISTRY nor HOME is set: no place for the registry");
    return std::filesystem::path(home) / ".veldmark" / "registry.json";
}

Registry Registry::Load(const std::filesystem::path& file) {
    Registry registry;
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        if (error) throw RegistryError("the registry " + file.string() + " cannot be read: " + error.message());
        return registry;
    }
    std::string text;
    try {
        text = ReadTextFile(file, kRegistryFileLimit);
    } catch (const StoreError& readError) {
        throw RegistryError(std::string("the registry ") + readError.what());
    }
    Json json;
    try {
        json = ParseJsonText(text);
    } catch (const JsonTextError& parseError) {
        const std::string place = parseError.Line() == 0 ? std::string()
                                                         : "line " + std::to_string(parseError.Line()) + ", column " +
                                                               std::to_string(parseError.Column()) + ": ";
        throw RegistryError("the registry " + file.string() + " is not valid JSON: " + place + parseError.what());
    }
    try {
        if (!json.is_object()) throw RegistryError("the top level is not an object");
        for (const auto& [member, content] : json.items()) {
            if (member == "formatVersion") {
                if (content != kFormatVersion)
                    throw RegistryError("formatVersion is not " + std::to_string(kFormatVersion));
            } else if (member == "root") {
                registry.root_ = KeyFromJson(content, "root");
            } else {
                throw RegistryError("the unknown member " + Quoted(member));
            }
        }
        if (!json.contains("formatVersion")) throw RegistryError("formatVersion is missing");
    } catch (const RegistryError& formatError) {
        throw RegistryError("the registry " + file.string() + " is malformed: " + formatError.what());
    }
    return registry;
}

void Registry::Save(const std::filesystem::path& file) const {
    Json json = Json::object();
    json["formatVersion"] = kFormatVersion;
    json["root"] = KeyToJson(root_);
    std::error_code error;
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), error);
    if (error) throw RegistryError("the folder of the registry " + file.string() + " cannot be made: " + error.message());
    const std::filesystem::path temporary = file.string() + ".tmp";
    {
        std::ofstream stream(temporary, std::ios::binary | std::ios::trunc);
        stream << json.dump(2) << "\n";
        stream.close();
        if (!stream) {
            std::filesystem::remove(temporary, error);
            throw RegistryError("the registry " + file.string() + " cannot be written");
        }
    }
    std::filesystem::rename(temporary, file, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw RegistryError("the registry " + file.string() + " cannot be replaced: " + error.message());
    }
}

const RegistryKey* Registry::Find(const std::string& path) const {
    const RegistryKey* key = &root_;
    for (const std::string& part : SplitPath(path)) {
        auto found = key->subkeys.find(part);
        if (found == key->subkeys.end()) return nullptr;
        key = &found->second;
    }
    return key;
}

RegistryKey& Registry::Create(const std::string& path) {
    RegistryKey* key = &root_;
    for (const std::string& part : SplitPath(path)) key = &key->subkeys[part];
    return *key;
}

bool Registry::Remove(const std::string& path) {
    std::vector<std::string> parts = SplitPath(path);
    if (parts.empty()) return false;
    const std::string last = parts.back();
    parts.pop_back();
    RegistryKey* parent = &root_;
    for (const std::string& part : parts) {
        auto found = parent->subkeys.find(part);
        if (found == parent->subkeys.end()) return false;
        parent = &found->second;
    }
    return parent->subkeys.erase(last) == 1;
}

std::optional<std::string> Registry::Value(const std::string& path, const std::string& name) const {
    const RegistryKey* key = Find(path);
    if (!key) return std::nullopt;
    auto found = key->values.find(name);
    if (found == key->values.end()) return std::nullopt;
    return found->second;
}

}  // namespace standin
