#include "tools/database_commands.h"

#include <algorithm>

#include "data_access/provider/embedded_database.h"
#include "host_standin/display_text.h"

namespace standin {
namespace {

// What a new row holds in a column it was not given: blanks, or a zero
// written with its column's scale ("0", "0.000").
bool IsDefault(const std::string& value) {
    if (std::all_of(value.begin(), value.end(), [](char c) { return c == ' '; })) return true;
    const std::size_t point = value.find('.');
    if (value.empty() || value.front() != '0' || (point != std::string::npos && point != 1)) return false;
    return value.size() == 1 ||
           (point == 1 && std::all_of(value.begin() + 2, value.end(), [](char c) { return c == '0'; }));
}

// Quoted when it holds a blank; a control character (a line break, an escape
// sequence) shows escaped, never acts on the terminal.
std::string Shown(const std::string& value) {
    const std::string shown = DisplayText(value);
    return value.find(' ') == std::string::npos ? shown : "\"" + shown + "\"";
}

void PrintTable(const dbAx::provider::EmbeddedRows& table, const std::string& name, std::ostream& out) {
    out << name << ": " << table.rows.size() << (table.rows.size() == 1 ? " row" : " rows") << '\n';
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        out << "  row " << r + 1 << ':';
        for (std::size_t c = 0; c < table.columns.size() && c < table.rows[r].size(); ++c) {
            if (!IsDefault(table.rows[r][c])) out << ' ' << DisplayText(table.columns[c]) << '=' << Shown(table.rows[r][c]);
        }
        out << '\n';
    }
}

}  // namespace

int RunCreateDatabase(const std::filesystem::path& directory, const std::string& library,
                      const CommandStreams& streams) {
    try {
        dbAx::provider::CreateEmbeddedInterfaceFiles(directory, library);
    } catch (const dbAx::provider::EmbeddedDatabaseError& error) {
        streams.err << "veldmark: " << error.what() << '\n';
        return kExitNothingDone;
    }
    streams.out << "created library " << library << " with AIP32 and AIP33 in " << directory.string() << '\n';
    return kExitSuccess;
}

int RunShow(const std::filesystem::path& directory, const std::string& library, const CommandStreams& streams) {
    try {
        const auto header = dbAx::provider::ReadEmbeddedRows(directory, library, "AIP32");
        const auto lines = dbAx::provider::ReadEmbeddedRows(directory, library, "AIP33");
        streams.out << "Library " << library << " in " << directory.string()
                    << " (columns left blank or zero are not shown)\n";
        PrintTable(header, "AIP32", streams.out);
        PrintTable(lines, "AIP33", streams.out);
        return kExitSuccess;
    } catch (const dbAx::provider::EmbeddedDatabaseError& error) {
        streams.err << "veldmark: " << DisplayText(error.what()) << '\n';
        return kExitNothingDone;
    }
}

}  // namespace standin
