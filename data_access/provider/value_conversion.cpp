#include "data_access/provider/value_conversion.h"

namespace dbAx::provider {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::string ColumnText(std::string_view table, const ColumnDescription& column) {
    return std::string(table) + "." + column.name + " " + TypeText(column);
}

Refusal Refuse(Result result, std::string_view text, std::string_view problem, std::string_view table,
               const ColumnDescription& column) {
    return {result, "Value '" + std::string(text) + "' " + std::string(problem) + " for column " +
                        ColumnText(table, column)};
}

// The byte offset after the first count characters of UTF-8 text, or npos
// when the text has no more than count characters.
std::size_t OffsetAfterCharacters(std::string_view text, int count) {
    int characters = 0;
    for (std::size_t offset = 0; offset < text.size(); ++offset) {
        if (IsContinuationByte(text[offset])) continue;
        if (characters == count) return offset;
        ++characters;
    }
    return std::string_view::npos;
}

std::optional<Refusal> ConvertCharacters(std::string_view table, const ColumnDescription& column,
                                         std::string_view text, std::string* stored) {
    const std::size_t end = OffsetAfterCharacters(text, column.length);
    if (end != std::string_view::npos && text.find_first_not_of(' ', end) != std::string_view::npos) {
        return Refuse(platform::DB_E_DATAOVERFLOW, text, "is too long", table, column);
    }
    stored->assign(text.substr(0, end));
    return std::nullopt;
}

std::optional<Refusal> ConvertNumber(std::string_view table, const ColumnDescription& column, std::string_view text,
                                     std::string* stored) {
    const std::size_t first = text.find_first_not_of(' ');
    std::string_view number = first == std::string_view::npos ? std::string_view() : text.substr(first);
    number = number.substr(0, number.find_last_not_of(' ') + 1);

    const bool negative = !number.empty() && number[0] == '-';
    if (!number.empty() && (number[0] == '-' || number[0] == '+')) number.remove_prefix(1);
    std::size_t integerEnd = 0;
    while (integerEnd < number.size() && IsDigit(number[integerEnd])) ++integerEnd;
    std::string_view integer = number.substr(0, integerEnd);
    std::string_view fraction;
    if (integerEnd < number.size() && number[integerEnd] == '.') {
        fraction = number.substr(integerEnd + 1);
        for (char c : fraction) {
            if (!IsDigit(c)) return Refuse(platform::DB_E_CANTCONVERTVALUE, text, "is not a number", table, column);
        }
    } else if (integerEnd != number.size()) {
        return Refuse(platform::DB_E_CANTCONVERTVALUE, text, "is not a number", table, column);
    }
    if (integer.empty() && fraction.empty()) {
        return Refuse(platform::DB_E_CANTCONVERTVALUE, text, "is not a number", table, column);
    }

    integer.remove_prefix(std::min(integer.find_first_not_of('0'), integer.size()));
    if (integer.size() > static_cast<std::size_t>(column.length - column.scale)) {
        return Refuse(platform::DB_E_DATAOVERFLOW, text, "has too many integer digits", table, column);
    }
    fraction = fraction.substr(0, static_cast<std::size_t>(column.scale));
    fraction = fraction.substr(0, fraction.find_last_not_of('0') + 1);

    stored->clear();
    if (negative && !(integer.empty() && fraction.empty())) *stored += '-';
    if (integer.empty()) {
        *stored += '0';
    } else {
        *stored += integer;
    }
    if (!fraction.empty()) {
        *stored += '.';
        *stored += fraction;
    }
    return std::nullopt;
}

}  // namespace

std::optional<Refusal> ConvertValue(std::string_view table, const ColumnDescription& column, std::string_view text,
                                    std::string* stored) {
    if (text.find('\0') != std::string_view::npos) {
        return Refusal{platform::DB_E_CANTCONVERTVALUE,
                       "The value for column " + ColumnText(table, column) +
                           " contains the character U+0000 (NUL), which no column of the interface files holds"};
    }
    const bool characters = column.kind == ColumnKind::Char || column.kind == ColumnKind::WideChar;
    return characters ? ConvertCharacters(table, column, text, stored) : ConvertNumber(table, column, text, stored);
}

}  // namespace dbAx::provider
