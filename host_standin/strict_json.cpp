#include "host_standin/strict_json.h"

#include <algorithm>
#include <set>

#include "host/utf8.h"
#include "host_standin/store_error.h"

namespace standin {
namespace {

std::string Describe(const Json& value) {
    switch (value.type()) {
        case Json::value_t::string: return "a text";
        case Json::value_t::number_integer:
        case Json::value_t::number_unsigned: return "a whole number";
        case Json::value_t::number_float: return "a number with a fraction";
        case Json::value_t::object: return "an object";
        case Json::value_t::array: return "a list";
        case Json::value_t::boolean: return "true or false";
        case Json::value_t::null: return "null";
        default: return "something else";
    }
}

std::string PlaceText(const std::string& path) { return path.empty() ? "top level" : path; }

// Follows the parser's events to know the path of each key, so that a
// repeated key can be named.
class DuplicateKeyFinder {
public:
    void Follow(Json::parse_event_t event, const Json& parsed) {
        switch (event) {
            case Json::parse_event_t::object_start: frames_.push_back({false, 0, {}, {}}); break;
            case Json::parse_event_t::array_start: frames_.push_back({true, 0, {}, {}}); break;
            case Json::parse_event_t::key: {
                Frame& top = frames_.back();
                top.key = parsed.get<std::string>();
                if (!top.keys.insert(top.key).second && !duplicate_) duplicate_ = CurrentPath();
                break;
            }
            case Json::parse_event_t::value: CountElement(); break;
            case Json::parse_event_t::object_end:
            case Json::parse_event_t::array_end:
                frames_.pop_back();
                CountElement();
                break;
        }
    }

    const std::optional<std::string>& Duplicate() const { return duplicate_; }

private:
    struct Frame {
        bool isList;
        std::size_t index;
        std::string key;
        std::set<std::string> keys;
    };

    void CountElement() {
        if (!frames_.empty() && frames_.back().isList) ++frames_.back().index;
    }

    std::string CurrentPath() const {
        std::string path;
        for (const Frame& frame : frames_) {
            path = frame.isList ? path + "[" + std::to_string(frame.index) + "]" : MemberPath(path, frame.key);
        }
        return path;
    }

    std::vector<Frame> frames_;
    std::optional<std::string> duplicate_;
};

}  // namespace

Json ParseStrictJson(std::string_view text, const std::string& file, int firstLine) {
    DuplicateKeyFinder finder;
    Json document;
    try {
        document = ParseJsonText(text, [&finder](int, Json::parse_event_t event, Json& parsed) {
            finder.Follow(event, parsed);
            return true;
        });
    } catch (const JsonTextError& error) {
        if (error.Line() == 0) throw StoreError(file + ": " + error.what());
        throw StoreError(file + ":" + std::to_string(firstLine - 1 + error.Line()) + ":" +
                         std::to_string(error.Column()) + ": " + error.what());
    }
    if (finder.Duplicate()) throw StoreError(file + ": " + PlaceText(*finder.Duplicate()) + ": duplicate key");
    return document;
}

void JsonNode::Fail(std::string_view problem) const {
    throw StoreError(file_ + ": " + PlaceText(path_) + ": " + std::string(problem));
}

kfx::Text JsonNode::AsText() const {
    if (!value_.is_string()) Fail("expected a text, found " + Describe(value_));
    return kfx::FromUtf8(value_.get_ref<const std::string&>());
}

bool JsonNode::AsBool() const {
    if (!value_.is_boolean()) Fail("expected true or false, found " + Describe(value_));
    return value_.get<bool>();
}

std::int64_t JsonNode::AsInteger(std::int64_t smallest, std::int64_t largest, std::string_view what) const {
    const std::string expected = std::string(what) + (smallest == largest ? " " + std::to_string(smallest)
                                                                           : " from " + std::to_string(smallest) +
                                                                                 " to " + std::to_string(largest));
    if (!value_.is_number_integer()) Fail("expected " + expected + ", found " + Describe(value_));
    // Whole numbers beyond the signed range arrive unsigned.
    const bool inRange = value_.is_number_unsigned()
                             ? value_.get<std::uint64_t>() <= static_cast<std::uint64_t>(largest) &&
                                   static_cast<std::int64_t>(value_.get<std::uint64_t>()) >= smallest
                             : value_.get<std::int64_t>() >= smallest && value_.get<std::int64_t>() <= largest;
    if (!inRange) Fail("expected " + expected + ", found " + value_.dump());
    return value_.get<std::int64_t>();
}

JsonObject JsonNode::AsObject() const {
    if (!value_.is_object()) Fail("expected an object, found " + Describe(value_));
    return JsonObject(*this);
}

std::vector<JsonNode> JsonNode::AsList() const {
    if (!value_.is_array()) Fail("expected a list, found " + Describe(value_));
    std::vector<JsonNode> elements;
    for (std::size_t i = 0; i < value_.size(); ++i) {
        elements.emplace_back(value_[i], path_ + "[" + std::to_string(i) + "]", file_);
    }
    return elements;
}

std::vector<std::pair<kfx::Text, kfx::Text>> JsonNode::AsTextMap() const {
    std::vector<std::pair<kfx::Text, kfx::Text>> members;
    for (auto& [key, node] : AsObject().Members()) members.emplace_back(kfx::FromUtf8(key), node.AsText());
    return members;
}

std::optional<JsonNode> JsonObject::Optional(std::string_view key) {
    read_.emplace_back(key);
    auto found = node_.value_.find(std::string(key));
    if (found == node_.value_.end()) return std::nullopt;
    return JsonNode(*found, MemberPath(node_.path_, key), node_.file_);
}

JsonNode JsonObject::Required(std::string_view key) {
    std::optional<JsonNode> member = Optional(key);
    if (!member) node_.Fail("missing key \"" + std::string(key) + "\"");
    return *member;
}

std::vector<std::pair<std::string, JsonNode>> JsonObject::Members() {
    std::vector<std::pair<std::string, JsonNode>> members;
    for (auto member = node_.value_.begin(); member != node_.value_.end(); ++member) {
        read_.push_back(member.key());
        members.emplace_back(member.key(), JsonNode(member.value(), MemberPath(node_.path_, member.key()), node_.file_));
    }
    return members;
}

void JsonObject::Finish() const {
    for (auto member = node_.value_.begin(); member != node_.value_.end(); ++member) {
        if (std::find(read_.begin(), read_.end(), member.key()) == read_.end()) {
            JsonNode(member.value(), MemberPath(node_.path_, member.key()), node_.file_).Fail("unknown key");
        }
    }
}

}  // namespace standin
