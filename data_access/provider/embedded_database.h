// Tools around the embedded database, for the command line, tests and
// demonstrations: creating a library with the interface files and reading
// back what was written. A library is the file <directory>/<LIBRARY>.db.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dbAx::provider {

class EmbeddedDatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Creates the library file holding the tables that the statements create
// (the statements name the tables as library.table), creating the
// directory when missing, all or nothing. Throws EmbeddedDatabaseError when
// the library name is not valid (see IsValidLibraryName), the library
// exists already (in any case), or a statement fails.
void CreateEmbeddedLibrary(const std::filesystem::path& directory, std::string_view library,
                           const std::vector<std::string>& createStatements);

// The library with the empty interface files AIP32 and AIP33.
void CreateEmbeddedInterfaceFiles(const std::filesystem::path& directory, std::string_view library);

struct EmbeddedRows {
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;  // in insertion order
};

// The rows of a table of a library as texts: decimal numbers with exactly
// their column's scale ("123.450" for DECIMAL(11,3)), as the real system
// shows them; characters as stored. Throws EmbeddedDatabaseError when the
// library or table does not exist.
EmbeddedRows ReadEmbeddedRows(const std::filesystem::path& directory, std::string_view library,
                              std::string_view table);

}  // namespace dbAx::provider
