#include "data_access/provider/sql_qualifiers.h"

namespace dbAx::provider {
namespace {

bool IsIdentifierStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

bool IsIdentifierPart(char c) { return IsIdentifierStart(c) || (c >= '0' && c <= '9') || c == '$'; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

class Scanner {
public:
    explicit Scanner(std::string_view sql) : sql_(sql) {}

    std::vector<std::string> Qualifiers() {
        std::vector<std::string> names;
        while (position_ < sql_.size()) {
            std::string name;
            if (!NextIdentifier(&name)) continue;
            std::size_t after = position_;
            while (after < sql_.size() && IsBlank(sql_[after])) ++after;
            if (after < sql_.size() && sql_[after] == '.') names.push_back(std::move(name));
        }
        return names;
    }

private:
    // Reads the next token; true when it is an identifier.
    bool NextIdentifier(std::string* name) {
        const char c = sql_[position_];
        const char next = position_ + 1 < sql_.size() ? sql_[position_ + 1] : '\0';
        if (c == '\'') {
            Quoted('\'');  // a string literal
            return false;
        }
        if ((c == '-' && next == '-') || (c == '/' && next == '*')) {
            SkipPast(c == '-' ? "\n" : "*/");
            return false;
        }
        if (c == '"' || c == '`' || c == '[') {
            *name = Quoted(c == '[' ? ']' : c);
            return true;
        }
        if (IsIdentifierStart(c)) {
            const std::size_t start = position_;
            while (position_ < sql_.size() && IsIdentifierPart(sql_[position_])) ++position_;
            *name = std::string(sql_.substr(start, position_ - start));
            return true;
        }
        if (c >= '0' && c <= '9') {
            // A number, its fraction and exponent included: "1.5" qualifies nothing.
            while (position_ < sql_.size() && (IsIdentifierPart(sql_[position_]) || sql_[position_] == '.')) {
                ++position_;
            }
            return false;
        }
        ++position_;
        return false;
    }

    // The text between the quote at the position and its closing quote, a
    // doubled closing quote standing for one.
    std::string Quoted(char closing) {
        std::string text;
        ++position_;
        while (position_ < sql_.size()) {
            const char c = sql_[position_++];
            if (c != closing) {
                text += c;
            } else if (position_ < sql_.size() && sql_[position_] == closing) {
                text += c;
                ++position_;
            } else {
                break;
            }
        }
        return text;
    }

    void SkipPast(std::string_view end) {
        const std::size_t found = sql_.find(end, position_ + 2);
        position_ = found == std::string_view::npos ? sql_.size() : found + end.size();
    }

    std::string_view sql_;
    std::size_t position_ = 0;
};

}  // namespace

std::vector<std::string> QualifierNames(std::string_view sql) { return Scanner(sql).Qualifiers(); }

}  // namespace dbAx::provider
