#include "host_standin/batch_file.h"

#include <algorithm>
#include <limits>
#include <map>
#include <set>

#include "host/utf8.h"
#include "host_standin/display_text.h"
#include "host_standin/host_values.h"
#include "host_standin/strict_json.h"
#include "host_standin/text_file.h"

namespace standin {
namespace {

bool Contains(std::span<const kfx::Text> names, const kfx::Text& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The document class's names, looked up once per name in the batch: a
// batch names them many thousands of times.
struct DeclaredNames {
    explicit DeclaredNames(const DocumentClass& documentClass)
        : batchFields(documentClass.batchFields.begin(), documentClass.batchFields.end()),
          hostValues(documentClass.hostValueNames.begin(), documentClass.hostValueNames.end()) {
        for (const IndexFieldRecord& field : documentClass.indexFields) {
            indexFields.emplace(field.name, &field);
            if (!field.tableName.empty()) tables.insert(field.tableName);
        }
    }

    std::set<kfx::Text> batchFields;
    std::set<kfx::Text> hostValues;
    std::map<kfx::Text, const IndexFieldRecord*> indexFields;
    std::set<kfx::Text> tables;
};

std::string Quoted(const kfx::Text& name) { return "\"" + Excerpt(kfx::ToUtf8(name)) + "\""; }

// Reads an object of texts whose every key must pass the check.
template <class Check>
FieldValues ReadFieldValues(const JsonNode& node, Check refusal) {
    FieldValues values;
    for (auto& [name, member] : node.AsObject().Members()) {
        const kfx::Text key = kfx::FromUtf8(name);
        if (std::string problem = refusal(key); !problem.empty()) member.Fail(problem);
        values.emplace(key, member.AsText());
    }
    return values;
}

class BatchReader {
public:
    BatchReader(const DocumentClass& documentClass) : declared_(documentClass) {}

    Batch Read(const JsonNode& root) {
        JsonObject top = root.AsObject();
        top.Required("formatVersion").AsInteger(kBatchFormatVersion, kBatchFormatVersion, "the format version");
        Batch batch;
        if (std::optional<JsonNode> name = top.Optional("batchName")) batch.batchName = name->AsText();
        if (std::optional<JsonNode> fields = top.Optional("batchFields")) {
            batch.batchFields = ReadFieldValues(*fields, [&](const kfx::Text& name) {
                return declared_.batchFields.contains(name)
                           ? std::string()
                           : "the document class has no batch field " + Quoted(name);
            });
        }
        std::set<std::int64_t> ids;
        for (const JsonNode& element : top.Required("documents").AsList()) {
            batch.documents.push_back(ReadDocument(element));
            const std::int64_t id = batch.documents.back().documentId;
            if (!ids.insert(id).second) element.Fail("document id " + std::to_string(id) + " is used twice");
        }
        top.Finish();
        return batch;
    }

private:
    BatchDocument ReadDocument(const JsonNode& node) {
        JsonObject object = node.AsObject();
        BatchDocument document;
        document.documentId =
            object.Required("documentId").AsInteger(1, std::numeric_limits<std::int32_t>::max(), "a document id");
        if (std::optional<JsonNode> pdf = object.Optional("pdfFileName")) document.pdfFileName = pdf->AsText();
        if (std::optional<JsonNode> fields = object.Optional("indexFields")) {
            document.indexFields = ReadFieldValues(*fields, [&](const kfx::Text& name) {
                const IndexFieldRecord* field = FindIndexField(name);
                if (!field) return "the document class has no index field " + Quoted(name);
                if (!field->tableName.empty()) {
                    return "index field " + Quoted(name) + " belongs to table " + Quoted(field->tableName) +
                           "; give it in \"tables\"";
                }
                return std::string();
            });
        }
        if (std::optional<JsonNode> tables = object.Optional("tables")) ReadTables(*tables, document);
        if (std::optional<JsonNode> values = object.Optional("hostValues")) {
            document.hostValues = ReadFieldValues(*values, [&](const kfx::Text& name) {
                if (Contains(HostComputedValueNames(), name)) {
                    return "the host works out " + Quoted(name) + " itself; leave it out";
                }
                return declared_.hostValues.contains(name)
                           ? std::string()
                           : "the document class has no host value " + Quoted(name);
            });
        }
        object.Finish();
        return document;
    }

    void ReadTables(const JsonNode& node, BatchDocument& document) {
        for (auto& [name, rowsNode] : node.AsObject().Members()) {
            const kfx::Text table = kfx::FromUtf8(name);
            if (!declared_.tables.contains(table)) {
                rowsNode.Fail("the document class has no table " + Quoted(table));
            }
            std::vector<FieldValues>& rows = document.tables[table];
            for (const JsonNode& row : rowsNode.AsList()) {
                rows.push_back(ReadFieldValues(row, [&](const kfx::Text& field) {
                    const IndexFieldRecord* declared = FindIndexField(field);
                    return declared && declared->tableName == table
                               ? std::string()
                               : "table " + Quoted(table) + " has no field " + Quoted(field);
                }));
            }
        }
    }

    const IndexFieldRecord* FindIndexField(const kfx::Text& name) const {
        auto found = declared_.indexFields.find(name);
        return found == declared_.indexFields.end() ? nullptr : found->second;
    }

    const DeclaredNames declared_;
};

}  // namespace

Batch ParseBatch(std::string_view text, const std::string& file, const DocumentClass& documentClass) {
    const Json document = ParseStrictJson(text, file);
    return BatchReader(documentClass).Read(JsonNode(document, "", file));
}

Batch LoadBatch(const std::filesystem::path& path, const DocumentClass& documentClass) {
    return ParseBatch(ReadTextFile(path, kBatchFileLimit), path.string(), documentClass);
}

}  // namespace standin
