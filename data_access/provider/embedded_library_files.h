// The embedded database's libraries: each library is the file
// <directory>/<LIBRARY>.db, found whatever the case of its name (library
// names are case-insensitive, as on the real system), attached to a
// connection under the library's name.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include <sqlite3.h>

namespace dbAx::provider {

// 1 to 10 letters, digits or underscores, not starting with a digit: a name
// that is both a library name and a plain SQL identifier.
bool IsValidLibraryName(std::string_view library);

// The library name in upper case, as it names its file and schema.
std::string UpperLibraryName(std::string_view library);

// The library's file in the directory, ignoring case; nullopt when there is
// none. False with the reason when the directory cannot be read or two
// files match.
bool LocateLibraryFile(const std::filesystem::path& directory, std::string_view library,
                       std::optional<std::filesystem::path>* file, std::string* error);

// Attaches the file under the schema name and puts it in WAL journal mode,
// so that several processes can write to it at once. False with the reason.
bool AttachLibraryFile(sqlite3* database, const std::filesystem::path& file, const std::string& schema,
                       std::string* error);

}  // namespace dbAx::provider
