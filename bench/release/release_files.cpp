#include "bench/release/release_files.h"

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>

namespace benchrelease {
namespace {

std::string Value(const benchdata::Row& row, const std::string& column) {
    for (const auto& [name, value] : row)
        if (name == column) return value;
    return {};
}

// Index field name and the column it feeds, for the header and the lines.
const std::pair<const char*, const char*> kHeaderFields[] = {
    {"Supplier Account", "CDAC32"}, {"Invoice Number", "INVN32"}, {"Invoice Date", "DTIN32"},
    {"Supplier Name", "INAM32"},    {"Terms", "TPAY32"},          {"Currency", "CURN32"},
    {"Discount", "DISP32"}};
const std::pair<const char*, const char*> kLineFields[] = {
    {"Item Code", "CATN33"},  {"Description", "DESC33"}, {"Quantity", "LQTY33"}, {"Unit Price", "UPRC33"},
    {"Line Value", "LVAL33"}, {"VAT Code", "VATC33"},    {"VAT Rate", "VATR33"}};

nlohmann::json TextConstant(const std::string& text, const std::string& destination) {
    return {{"source", text}, {"sourceType", 1}, {"destination", destination}};
}

}  // namespace

void WriteReleaseFiles(const std::filesystem::path& directory, const Destination& destination,
                       const std::vector<benchdata::Invoice>& invoices) {
    nlohmann::json indexFields = nlohmann::json::array();
    nlohmann::json links = nlohmann::json::array();
    links.push_back(TextConstant("3", "AIP32.RTYP32"));
    for (const auto& [field, column] : kHeaderFields) {
        indexFields.push_back({{"name", field}});
        links.push_back({{"source", field}, {"sourceType", 0}, {"destination", std::string("AIP32.") + column}});
    }
    for (const auto& [field, column] : kLineFields) {
        indexFields.push_back({{"name", field}, {"table", "Lines"}});
        links.push_back({{"source", field}, {"sourceType", 0}, {"destination", std::string("AIP33.") + column}});
    }
    links.push_back(TextConstant(destination.serverName, "serverName"));
    if (!destination.userName.empty()) links.push_back(TextConstant(destination.userName, "username"));
    if (!destination.password.empty()) links.push_back(TextConstant(destination.password, "password"));
    links.push_back(TextConstant(destination.library, "APILibrary"));
    const nlohmann::json documentClass = {{"formatVersion", 1},
                                          {"batchClassName", "AP Invoices"},
                                          {"documentClassName", "Benchmark Invoice"},
                                          {"indexFields", indexFields},
                                          {"links", links}};
    nlohmann::json documents = nlohmann::json::array();
    int id = 1;
    for (const benchdata::Invoice& invoice : invoices) {
        nlohmann::json header = nlohmann::json::object();
        for (const auto& [field, column] : kHeaderFields) header[field] = Value(invoice.header, column);
        nlohmann::json lines = nlohmann::json::array();
        for (const benchdata::Row& row : invoice.lines) {
            nlohmann::json line = nlohmann::json::object();
            for (const auto& [field, column] : kLineFields) line[field] = Value(row, column);
            lines.push_back(line);
        }
        documents.push_back({{"documentId", id},
                             {"pdfFileName", "bench/" + std::to_string(id) + ".pdf"},
                             {"indexFields", header},
                             {"tables", {{"Lines", lines}}}});
        ++id;
    }
    std::ofstream(directory / "class.json") << documentClass.dump(1);
    std::ofstream(directory / "batch.json") << nlohmann::json{{"formatVersion", 1}, {"documents", documents}}.dump(1);
}

std::vector<benchdata::Invoice> ReleasedRows(const std::vector<benchdata::Invoice>& invoices) {
    std::vector<benchdata::Invoice> rows;
    for (const benchdata::Invoice& invoice : invoices) {
        benchdata::Invoice written;
        written.header = {{"RTYP32", "3"}};
        for (const auto& [field, column] : kHeaderFields) {
            written.header.emplace_back(column, Value(invoice.header, column));
        }
        for (const benchdata::Row& row : invoice.lines) {
            benchdata::Row line = {{"CDAC33", Value(invoice.header, "CDAC32")},
                                   {"INVN33", Value(invoice.header, "INVN32")},
                                   {"RTYP33", "3"}};
            for (const auto& [field, column] : kLineFields) line.emplace_back(column, Value(row, column));
            written.lines.push_back(line);
        }
        rows.push_back(written);
    }
    return rows;
}

bool RunRelease(const std::filesystem::path& veldmark, const std::filesystem::path& directory) {
    std::string command;
    for (const std::string& word : {veldmark.string(), std::string("release"), (directory / "class.json").string(),
                                    (directory / "batch.json").string()}) {
        command += "'" + word + "' ";
    }
    command += "> /dev/null";
    return std::system(command.c_str()) == 0;
}

}  // namespace benchrelease
