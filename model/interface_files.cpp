#include "model/interface_files.h"

#include <charconv>
#include <stdexcept>

#include "model/field_catalogue.h"

namespace veldmark {
namespace {

std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

bool ReadNumber(std::string_view& rest, int& number) {
    auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), number);
    if (error != std::errc() || number <= 0) return false;
    rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
    return true;
}

bool Consume(std::string_view& rest, std::string_view prefix) {
    if (!rest.starts_with(prefix)) return false;
    rest.remove_prefix(prefix.size());
    return true;
}

// The columns of one file, from the catalogue rows whose destination names it.
std::vector<InterfaceColumn> CatalogueColumns(std::u16string_view fileName) {
    std::vector<InterfaceColumn> columns;
    for (const CatalogueRow& row : CatalogueRows()) {
        std::u16string_view destination = row.destination;
        if (destination.substr(0, fileName.size()) != fileName || destination[fileName.size()] != u'.') continue;
        std::optional<ColumnType> type = ParseSqlType(row.sqlType);
        if (!type) throw std::logic_error("catalogue type not understood: " + Narrow(row.sqlType));
        columns.push_back({Narrow(destination.substr(fileName.size() + 1)), *type});
    }
    return columns;
}

}  // namespace

std::optional<ColumnType> ParseSqlType(std::u16string_view sqlType) {
    const std::string text = Narrow(sqlType);
    std::string_view rest = text;
    ColumnType type;
    if (Consume(rest, "CHAR(")) {
        type.kind = ColumnType::Char;
        if (!ReadNumber(rest, type.length) || rest != ")") return std::nullopt;
        return type;
    }
    if (Consume(rest, "DECIMAL(")) {
        type.kind = ColumnType::Decimal;
        if (!ReadNumber(rest, type.length) || !Consume(rest, ",")) return std::nullopt;
        Consume(rest, " ");
        if (rest.starts_with("0")) {
            type.scale = 0;
            rest.remove_prefix(1);
        } else if (!ReadNumber(rest, type.scale)) {
            return std::nullopt;
        }
        if (rest != ")" || type.scale > type.length) return std::nullopt;
        return type;
    }
    return std::nullopt;
}

const InterfaceFile& HeaderFile() {
    static const InterfaceFile file{"AIP32", CatalogueColumns(u"AIP32"), {"CDAC32", "INVN32", "RTYP32"}};
    return file;
}

const InterfaceFile& LineFile() {
    static const InterfaceFile file = [] {
        // The keys that tie a line to its header come first.
        InterfaceFile lines{"AIP33",
                            {{"CDAC33", {ColumnType::Char, 15, 0}},
                             {"INVN33", {ColumnType::Char, 7, 0}},
                             {"RTYP33", {ColumnType::Char, 1, 0}}},
                            {"CDAC33", "INVN33", "RTYP33"}};
        for (InterfaceColumn& column : CatalogueColumns(u"AIP33")) lines.columns.push_back(std::move(column));
        return lines;
    }();
    return file;
}

std::string ColumnDeclaration(const ColumnType& type) {
    if (type.kind == ColumnType::Char) return "CHAR(" + std::to_string(type.length) + ")";
    return "DECIMAL(" + std::to_string(type.length) + "," + std::to_string(type.scale) + ")";
}

std::string CreateTableSql(const InterfaceFile& file, std::string_view library) {
    std::string sql = "CREATE TABLE " + std::string(library) + "." + file.name + " (";
    const char* separator = "";
    for (const InterfaceColumn& column : file.columns) {
        sql += separator;
        sql += column.name + " " + ColumnDeclaration(column.type) + " NOT NULL DEFAULT ";
        sql += column.type.kind == ColumnType::Char ? "' '" : "0";
        separator = ", ";
    }
    return sql + ")";
}

}  // namespace veldmark
