// The one way the store and the registry parse JSON: what would hurt the
// parser is refused before it runs, and every problem comes with a message
// that quotes the text only as a short, escaped excerpt.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace standin {

using Json = nlohmann::ordered_json;

// The deepest nesting of lists and objects accepted. The formats need six
// levels (a batch's table rows); copying, comparing or printing a parsed tree
// recurses, as does reading the registry's keys, so a deeper text is refused
// before parsing.
inline constexpr int kJsonNestingLimit = 64;

// The most members one object may have. The formats need tens (the index
// fields of a document); the parser finds each key of an object by going
// through the keys before it, so the time grows with the square of this.
inline constexpr int kJsonMemberLimit = 1000;

// A text that is not JSON the host accepts. Line and column count from 1,
// the column in bytes; both are 0 when the parser gave no place.
class JsonTextError : public std::runtime_error {
public:
    JsonTextError(std::size_t line, std::size_t column, const std::string& problem)
        : std::runtime_error(problem), line_(line), column_(column) {}

    std::size_t Line() const { return line_; }
    std::size_t Column() const { return column_; }

private:
    std::size_t line_;
    std::size_t column_;
};

// Parses the whole text, calling back as nlohmann's parser does. Throws
// JsonTextError for a syntax error, nesting deeper than kJsonNestingLimit
// ("nested deeper than 64 levels"), an object of more than kJsonMemberLimit
// members ("an object with more than 1000 members") and a number the parser
// cannot hold ("number out of range: 1e400"): a whole number beyond 64 bits,
// or a number with a fraction or exponent beyond a double, in either
// direction.
Json ParseJsonText(std::string_view text, const Json::parser_callback_t& callback = nullptr);

// The path of a member: `parent.key`, or `parent["odd key"]` with an
// excerpt of the key when it is not a plain name of at most kExcerptLength
// characters.
std::string MemberPath(const std::string& parent, std::string_view key);

}  // namespace standin
