#include "tools/written_value.h"

#include <cstdlib>

#include "data_access/provider/value_conversion.h"
#include "data_access/sanitise/sanitise.h"
#include "host/utf8.h"

namespace standin {
namespace {

using dbAx::provider::ColumnKind;

// Far beyond any column's precision, and short enough to spell out.
constexpr int kLargestExponent = 400;

bool IsNumber(const dbAx::provider::ColumnDescription& column) {
    return column.kind == ColumnKind::Decimal || column.kind == ColumnKind::Numeric;
}

std::string WithoutTrailingBlanks(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::optional<std::string> Comparable(const dbAx::provider::ColumnDescription& column, const std::string& text) {
    return IsNumber(column) ? PlainDecimal(text) : std::optional<std::string>(WithoutTrailingBlanks(text));
}

// The exponent after 'e' or 'E'; nullopt unless it is all there is.
std::optional<int> Exponent(std::string_view text) {
    if (text.empty()) return std::nullopt;
    const bool negative = text.front() == '-';
    if (text.front() == '-' || text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    int exponent = 0;
    for (char c : text) {
        if (c < '0' || c > '9' || exponent > kLargestExponent) return std::nullopt;
        exponent = exponent * 10 + (c - '0');
    }
    return negative ? -exponent : exponent;
}

}  // namespace

std::optional<std::string> PlainDecimal(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    const bool negative = text.front() == '-';
    if (text.front() == '-' || text.front() == '+') text.remove_prefix(1);
    std::string digits;
    std::optional<std::size_t> point;
    int exponent = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits.push_back(c);
        } else if (c == '.' && !point) {
            point = digits.size();
        } else if ((c == 'e' || c == 'E') && !digits.empty()) {
            const std::optional<int> given = Exponent(text.substr(i + 1));
            if (!given) return std::nullopt;
            exponent = *given;
            break;
        } else {
            return std::nullopt;
        }
    }
    if (digits.empty()) return std::nullopt;
    // Where the point stands once the exponent has moved it, padded with zeros.
    long position = static_cast<long>(point.value_or(digits.size())) + exponent;
    if (position < 0) {
        digits.insert(0, static_cast<std::size_t>(-position), '0');
        position = 0;
    }
    if (static_cast<std::size_t>(position) > digits.size()) digits.append(static_cast<std::size_t>(position) - digits.size(), '0');
    std::string whole = digits.substr(0, static_cast<std::size_t>(position));
    std::string fraction = digits.substr(static_cast<std::size_t>(position));
    whole.erase(0, whole.find_first_not_of('0'));
    fraction.erase(fraction.find_last_not_of('0') + 1);
    std::string plain = (whole.empty() ? "0" : whole) + (fraction.empty() ? "" : "." + fraction);
    return negative && plain != "0" ? "-" + plain : plain;
}

std::optional<std::string> AsWritten(const dbAx::provider::ColumnDescription& column, const kfx::Text& value,
                                     WritingSettings settings) {
    const kfx::Text sanitised = dbAx::SanitiseText(value, settings.codePage, settings.replacementChar);
    std::string stored;
    if (dbAx::provider::ConvertValue("AIP32", column, kfx::ToUtf8(sanitised), &stored)) return std::nullopt;
    return Comparable(column, stored);
}

std::optional<std::string> AsRead(const dbAx::provider::ColumnDescription& column,
                                  const std::optional<std::string>& read) {
    if (!read) return std::nullopt;
    return Comparable(column, *read);
}

}  // namespace standin
