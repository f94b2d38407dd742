// Reading the store's JSON strictly: syntax errors name line and column,
// every other error names the JSON path (as `links[3].sourceType`), duplicate
// keys and keys nobody asked for are errors. A message quotes a key or value
// of the file only as a short, escaped excerpt.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/com.h"
#include "host_standin/json_text.h"

namespace standin {

// Parses a whole document; throws StoreError "<file>:<line>:<column>: ..." for
// a syntax error, nesting too deep or a number out of range (ParseJsonText),
// and "<file>: <path>: duplicate key" for a repeated key. The text's first
// line is the file's line firstLine (a document that is one line of a file).
Json ParseStrictJson(std::string_view text, const std::string& file, int firstLine = 1);

class JsonObject;

// One place in a parsed document, with what is needed to report on it.
class JsonNode {
public:
    JsonNode(const Json& value, std::string path, const std::string& file)
        : value_(value), path_(std::move(path)), file_(file) {}

    const std::string& Path() const { return path_; }

    kfx::Text AsText() const;
    bool AsBool() const;
    std::int64_t AsInteger(std::int64_t smallest, std::int64_t largest, std::string_view what) const;
    JsonObject AsObject() const;
    std::vector<JsonNode> AsList() const;
    // An object whose members are all texts, in document order.
    std::vector<std::pair<kfx::Text, kfx::Text>> AsTextMap() const;

    // Throws StoreError "<file>: <path>: <problem>".
    [[noreturn]] void Fail(std::string_view problem) const;

private:
    friend class JsonObject;

    const Json& value_;
    std::string path_;
    const std::string& file_;
};

// The members of one object, read by key; Finish refuses the keys not read.
class JsonObject {
public:
    std::optional<JsonNode> Optional(std::string_view key);
    JsonNode Required(std::string_view key);
    // Throws StoreError naming the first key in document order that was not read.
    void Finish() const;

    // Every member, in document order, each marked as read.
    std::vector<std::pair<std::string, JsonNode>> Members();

    const JsonNode& Node() const { return node_; }

private:
    friend class JsonNode;
    explicit JsonObject(JsonNode node) : node_(std::move(node)) {}

    JsonNode node_;
    std::vector<std::string> read_;
};

}  // namespace standin
