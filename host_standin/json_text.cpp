#include "host_standin/json_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <optional>

#include "host_standin/display_text.h"

namespace standin {
namespace {

bool StartsNumber(char c) { return c == '-' || (c >= '0' && c <= '9'); }
bool InNumber(char c) { return StartsNumber(c) || c == '+' || c == '.' || c == 'e' || c == 'E'; }

// True when the token is a number the parser would take (or refuse as
// malformed) and it is beyond what it can hold. Malformed tokens are left to
// the parser's own syntax error.
bool OutOfRange(std::string_view token) {
    const char* first = token.data();
    const char* last = token.data() + token.size();
    if (token.find_first_of(".eE") == std::string_view::npos) {
        // The parser holds a whole number as signed or unsigned 64 bits and
        // silently turns a larger one into an approximate double.
        std::from_chars_result result{};
        if (token.front() == '-') {
            std::int64_t value = 0;
            result = std::from_chars(first, last, value);
        } else {
            std::uint64_t value = 0;
            result = std::from_chars(first, last, value);
        }
        return result.ec == std::errc::result_out_of_range;
    }
    double value = 0;
    return std::from_chars(first, last, value).ec == std::errc::result_out_of_range;
}

// Walks the text once, outside texts only, for what must not reach the
// parser: it is cheaper than the parse and does not recurse.
void RefuseUnsafe(std::string_view text) {
    std::size_t line = 1;
    std::size_t lineStart = 0;
    int depth = 0;
    // Per open level: whether it is an object, and its commas so far.
    std::array<bool, kJsonNestingLimit + 1> isObject{};
    std::array<int, kJsonNestingLimit + 1> commas{};
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') {
            ++line;
            lineStart = i + 1;
        } else if (c == '"') {
            for (++i; i < text.size() && text[i] != '"'; ++i) {
                if (text[i] == '\\') ++i;
                else if (text[i] == '\n') ++line, lineStart = i + 1;
            }
        } else if (c == '[' || c == '{') {
            if (++depth > kJsonNestingLimit) {
                throw JsonTextError(line, i - lineStart + 1,
                                    "nested deeper than " + std::to_string(kJsonNestingLimit) + " levels");
            }
            isObject[depth] = c == '{';
            commas[depth] = 0;
        } else if (c == ']' || c == '}') {
            if (depth > 0) --depth;
        } else if (c == ',' && isObject[depth] && ++commas[depth] >= kJsonMemberLimit) {
            throw JsonTextError(line, i - lineStart + 1,
                                "an object with more than " + std::to_string(kJsonMemberLimit) + " members");
        } else if (StartsNumber(c)) {
            std::size_t end = i;
            while (end < text.size() && InNumber(text[end])) ++end;
            const std::string_view token = text.substr(i, end - i);
            if (OutOfRange(token)) throw JsonTextError(line, i - lineStart + 1, "number out of range: " + Excerpt(token));
            i = end - 1;
        }
    }
}

// The names the parser gives what it expected; the last part of a message
// when present.
constexpr std::string_view kExpectedNames[] = {
    "true literal", "false literal", "null literal", "string literal", "number literal",
    "'['",          "'{'",           "']'",          "'}'",            "':'",
    "','",          "end of input",  "'[', '{', or a literal",
};

// Cuts the token the parser quotes ("last read: '...'") to an excerpt: it
// can be a whole text of any length and holds invalid bytes unchanged.
std::string WithShortToken(std::string_view message) {
    constexpr std::string_view kLastRead = "; last read: '";
    const std::size_t start = message.find(kLastRead);
    if (start == std::string_view::npos) return DisplayText(message);
    const std::string_view head = message.substr(0, start + kLastRead.size());
    const std::string_view rest = message.substr(head.size());
    for (std::string_view name : kExpectedNames) {
        const std::string tail = "'; expected " + std::string(name);
        if (rest.ends_with(tail)) {
            return DisplayText(head) + Excerpt(rest.substr(0, rest.size() - tail.size())) + tail;
        }
    }
    if (rest.ends_with('\'')) return DisplayText(head) + Excerpt(rest.substr(0, rest.size() - 1)) + "'";
    return DisplayText(head) + Excerpt(rest);
}

struct Place {
    std::size_t line = 0;
    std::size_t column = 0;
};

// Takes "parse error at line 3, column 22: " off the front of the message.
Place TakePlace(std::string_view& message) {
    constexpr std::string_view kAtLine = "parse error at line ";
    constexpr std::string_view kColumn = ", column ";
    if (!message.starts_with(kAtLine)) return {};
    const char* end = message.data() + message.size();
    Place place;
    auto read = std::from_chars(message.data() + kAtLine.size(), end, place.line);
    if (read.ec != std::errc() || !std::string_view(read.ptr, end).starts_with(kColumn)) return {};
    read = std::from_chars(read.ptr + kColumn.size(), end, place.column);
    if (read.ec != std::errc() || !std::string_view(read.ptr, end).starts_with(": ")) return {};
    message = std::string_view(read.ptr + 2, end);
    return place;
}

// nlohmann's message without its "[json.exception.parse_error.101] " prefix.
[[noreturn]] void ThrowParserError(const Json::exception& error) {
    std::string_view message = error.what();
    if (const std::size_t prefixEnd = message.find("] ");
        message.starts_with("[json.exception.") && prefixEnd != std::string_view::npos) {
        message.remove_prefix(prefixEnd + 2);
    }
    const Place place = TakePlace(message);
    throw JsonTextError(place.line, place.column, WithShortToken(message));
}

}  // namespace

std::string MemberPath(const std::string& parent, std::string_view key) {
    const bool plainName = !key.empty() && key.size() <= kExcerptLength &&
                           !std::isdigit(static_cast<unsigned char>(key.front())) &&
                           std::all_of(key.begin(), key.end(), [](char c) {
                               return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
                           });
    if (!plainName) return parent + "[\"" + Excerpt(key) + "\"]";
    return parent.empty() ? std::string(key) : parent + "." + std::string(key);
}

Json ParseJsonText(std::string_view text, const Json::parser_callback_t& callback) {
    RefuseUnsafe(text);
    try {
        return Json::parse(text, callback);
    } catch (const Json::exception& error) {
        ThrowParserError(error);
    }
}

}  // namespace standin
