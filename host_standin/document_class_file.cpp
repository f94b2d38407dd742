#include "host_standin/document_class_file.h"

#include <set>

#include "host/kfx_types.h"
#include "host/utf8.h"
#include "host_standin/display_text.h"
#include "host_standin/strict_json.h"
#include "host_standin/text_file.h"

namespace standin {
namespace {

kfx::Text OptionalText(JsonObject& object, std::string_view key) {
    std::optional<JsonNode> member = object.Optional(key);
    return member ? member->AsText() : kfx::Text();
}

// A name that must be given and must not repeat among its kind.
kfx::Text UniqueName(const JsonNode& node, std::set<kfx::Text>& seen) {
    kfx::Text name = node.AsText();
    if (name.empty()) node.Fail("a name cannot be empty");
    if (!seen.insert(name).second) node.Fail("\"" + Excerpt(kfx::ToUtf8(name)) + "\" is named twice");
    return name;
}

std::vector<kfx::Text> UniqueNames(JsonObject& object, std::string_view key) {
    std::vector<kfx::Text> names;
    std::set<kfx::Text> seen;
    if (std::optional<JsonNode> list = object.Optional(key)) {
        for (const JsonNode& element : list->AsList()) names.push_back(UniqueName(element, seen));
    }
    return names;
}

std::vector<IndexFieldRecord> ReadIndexFields(JsonObject& object) {
    std::vector<IndexFieldRecord> fields;
    std::set<kfx::Text> names;
    std::optional<JsonNode> list = object.Optional("indexFields");
    if (!list) return fields;
    for (const JsonNode& element : list->AsList()) {
        JsonObject field = element.AsObject();
        IndexFieldRecord record;
        record.name = UniqueName(field.Required("name"), names);
        if (std::optional<JsonNode> table = field.Optional("table")) {
            record.tableName = table->AsText();
            if (record.tableName.empty()) table->Fail("a table name cannot be empty; leave the key out instead");
        }
        field.Finish();
        fields.push_back(std::move(record));
    }
    return fields;
}

std::vector<LinkRecord> ReadLinks(JsonObject& object) {
    std::vector<LinkRecord> links;
    for (const JsonNode& element : object.Required("links").AsList()) {
        JsonObject link = element.AsObject();
        LinkRecord record;
        record.source = link.Required("source").AsText();
        record.sourceType = static_cast<std::int32_t>(
            link.Required("sourceType").AsInteger(kfx::KFX_REL_UNDEFINED_LINK, kfx::KFX_REL_DOCUMENTID, "a source type"));
        record.destination = link.Required("destination").AsText();
        link.Finish();
        links.push_back(std::move(record));
    }
    return links;
}

std::vector<CustomPropertyRecord> ReadCustomProperties(JsonObject& object) {
    std::vector<CustomPropertyRecord> properties;
    if (std::optional<JsonNode> map = object.Optional("customProperties")) {
        for (auto& [name, value] : map->AsTextMap()) properties.push_back({std::move(name), std::move(value)});
    }
    return properties;
}

Json TextList(const std::vector<kfx::Text>& texts) {
    Json list = Json::array();
    for (const kfx::Text& text : texts) list.push_back(kfx::ToUtf8(text));
    return list;
}

}  // namespace

DocumentClass ParseDocumentClass(std::string_view text, const std::string& file) {
    const Json document = ParseStrictJson(text, file);
    JsonObject top = JsonNode(document, "", file).AsObject();
    top.Required("formatVersion").AsInteger(kDocumentClassFormatVersion, kDocumentClassFormatVersion,
                                            "the format version");
    DocumentClass result;
    result.batchClassName = top.Required("batchClassName").AsText();
    result.documentClassName = top.Required("documentClassName").AsText();
    result.releaseScriptName = OptionalText(top, "releaseScriptName");
    result.connectString = OptionalText(top, "connectString");
    result.userName = OptionalText(top, "userName");
    result.password = OptionalText(top, "password");
    result.customProperties = ReadCustomProperties(top);
    result.indexFields = ReadIndexFields(top);
    result.batchFields = UniqueNames(top, "batchFields");
    result.hostValueNames = UniqueNames(top, "hostValueNames");
    result.links = ReadLinks(top);
    top.Finish();
    return result;
}

DocumentClass LoadDocumentClass(const std::filesystem::path& path) {
    return ParseDocumentClass(ReadTextFile(path, kDocumentClassFileLimit), path.string());
}

std::string DocumentClassJson(const DocumentClass& documentClass) {
    Json document;
    document["formatVersion"] = kDocumentClassFormatVersion;
    document["batchClassName"] = kfx::ToUtf8(documentClass.batchClassName);
    document["documentClassName"] = kfx::ToUtf8(documentClass.documentClassName);
    document["releaseScriptName"] = kfx::ToUtf8(documentClass.releaseScriptName);
    document["connectString"] = kfx::ToUtf8(documentClass.connectString);
    document["userName"] = kfx::ToUtf8(documentClass.userName);
    document["password"] = kfx::ToUtf8(documentClass.password);
    Json properties = Json::object();
    for (const CustomPropertyRecord& property : documentClass.customProperties) {
        properties[kfx::ToUtf8(property.name)] = kfx::ToUtf8(property.value);
    }
    document["customProperties"] = std::move(properties);
    Json fields = Json::array();
    for (const IndexFieldRecord& field : documentClass.indexFields) {
        Json entry = {{"name", kfx::ToUtf8(field.name)}};
        if (!field.tableName.empty()) entry["table"] = kfx::ToUtf8(field.tableName);
        fields.push_back(std::move(entry));
    }
    document["indexFields"] = std::move(fields);
    document["batchFields"] = TextList(documentClass.batchFields);
    document["hostValueNames"] = TextList(documentClass.hostValueNames);
    Json links = Json::array();
    for (const LinkRecord& link : documentClass.links) {
        links.push_back({{"source", kfx::ToUtf8(link.source)},
                         {"sourceType", link.sourceType},
                         {"destination", kfx::ToUtf8(link.destination)}});
    }
    document["links"] = std::move(links);
    return document.dump(2) + "\n";
}

void SaveDocumentClass(const std::filesystem::path& path, const DocumentClass& documentClass) {
    ReplaceTextFile(path, DocumentClassJson(documentClass));
}

}  // namespace standin
