#include "data_access/provider/embedded_declared_type.h"

#include <charconv>
#include <string>

namespace dbAx::provider {
namespace {

struct Keyword {
    std::string_view name;
    ColumnKind kind;
};

constexpr Keyword kKeywords[] = {
    {"CHARACTER", ColumnKind::Char}, {"CHAR", ColumnKind::Char},       {"NCHAR", ColumnKind::WideChar},
    {"DECIMAL", ColumnKind::Decimal}, {"DEC", ColumnKind::Decimal}, {"NUMERIC", ColumnKind::Numeric},
};

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    std::string Word() {
        SkipBlanks();
        std::string word;
        while (!text_.empty() && ((text_[0] >= 'A' && text_[0] <= 'Z') || (text_[0] >= 'a' && text_[0] <= 'z'))) {
            word += static_cast<char>(text_[0] >= 'a' ? text_[0] - 'a' + 'A' : text_[0]);
            text_.remove_prefix(1);
        }
        return word;
    }

    bool Symbol(char symbol) {
        SkipBlanks();
        if (text_.empty() || text_[0] != symbol) return false;
        text_.remove_prefix(1);
        return true;
    }

    bool Number(int* number) {
        SkipBlanks();
        const auto [end, failure] = std::from_chars(text_.data(), text_.data() + text_.size(), *number);
        if (failure != std::errc()) return false;
        text_.remove_prefix(static_cast<std::size_t>(end - text_.data()));
        return true;
    }

    bool AtEnd() {
        SkipBlanks();
        return text_.empty();
    }

private:
    void SkipBlanks() {
        while (!text_.empty() && (text_[0] == ' ' || text_[0] == '\t' || text_[0] == '\n' || text_[0] == '\r')) {
            text_.remove_prefix(1);
        }
    }

    std::string_view text_;
};

}  // namespace

std::optional<DeclaredType> ParseDeclaredType(std::string_view declared) {
    Reader reader(declared);
    const std::string word = reader.Word();
    DeclaredType type;
    bool known = false;
    for (const Keyword& keyword : kKeywords) {
        if (word == keyword.name) {
            type.kind = keyword.kind;
            known = true;
        }
    }
    if (!known || !reader.Symbol('(') || !reader.Number(&type.length) || type.length < 1) return std::nullopt;
    const bool numeric = type.kind == ColumnKind::Decimal || type.kind == ColumnKind::Numeric;
    if (numeric && reader.Symbol(',') && !reader.Number(&type.scale)) return std::nullopt;
    if (!reader.Symbol(')') || !reader.AtEnd()) return std::nullopt;
    if (type.scale < 0 || type.scale > type.length) return std::nullopt;
    return type;
}

}  // namespace dbAx::provider
