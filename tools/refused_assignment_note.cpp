#include "tools/refused_assignment_note.h"

#include <algorithm>

#include "model/interface_files.h"

namespace standin {
namespace {

constexpr std::string_view kFieldStart = "Failed to set Field '";
constexpr std::string_view kFieldEnd = "' to value '";

// The file whose record the message is about, by the component's fixed message texts.
const veldmark::InterfaceFile* FileOf(std::string_view message) {
    if (message.starts_with("Error in readVariables: ")) return &veldmark::HeaderFile();
    if (message.starts_with("Error Updating AIP33 record ")) return &veldmark::LineFile();
    return nullptr;
}

}  // namespace

std::optional<std::string> RefusedAssignmentNote(std::string_view message) {
    const veldmark::InterfaceFile* file = FileOf(message);
    const std::size_t start = message.find(kFieldStart);
    if (!file || start == std::string_view::npos) return std::nullopt;
    const std::size_t nameStart = start + kFieldStart.size();
    const std::size_t nameEnd = message.find(kFieldEnd, nameStart);
    if (nameEnd == std::string_view::npos) return std::nullopt;
    const std::string_view name = message.substr(nameStart, nameEnd - nameStart);
    const auto column = std::find_if(file->columns.begin(), file->columns.end(),
                                     [&](const veldmark::InterfaceColumn& c) { return c.name == name; });
    if (column == file->columns.end()) return std::nullopt;
    return "the column " + file->name + "." + column->name + " is " + veldmark::ColumnDeclaration(column->type);
}

}  // namespace standin
