#include "tests/data_access/odbc/own_data_source.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "tests/data_access/odbc/scoped_variable.h"

namespace odbctest {

// unixODBC reads ODBCINI when it looks a data source up: the copy lives in
// an odbc.ini of its own that the variable names meanwhile.
struct OwnDataSource::Kept {
    std::filesystem::path path;
    std::optional<ScopedVariable> odbcIni;
};

OwnDataSource::OwnDataSource(const std::string& source, const std::string& name, const std::string& line)
    : name_("veldmark_own_" + name), kept_(std::make_unique<Kept>()) {
    kept_->path = std::filesystem::temp_directory_path() /
                  ("veldmark-odbc-" + std::to_string(getpid()) + "-" + name + ".ini");
    std::ifstream original(std::getenv("ODBCINI"));
    std::ostringstream text;
    text << original.rdbuf();
    std::string entries = text.str();
    const std::string header = "[" + source + "]";
    const std::size_t at = entries.find(header);
    entries.replace(at, header.size(), "[" + name_ + "]");
    // The line goes right below the entry's header, so it belongs to the entry
    // wherever the entry stands in the file.
    const std::size_t lineEnd = entries.find('\n', at);
    entries.insert(lineEnd == std::string::npos ? entries.size() : lineEnd + 1, line + "\n");
    std::ofstream(kept_->path) << entries;
    kept_->odbcIni.emplace("ODBCINI", kept_->path.string());
}

OwnDataSource::~OwnDataSource() {
    kept_->odbcIni.reset();
    std::error_code ignored;
    std::filesystem::remove(kept_->path, ignored);
}

}  // namespace odbctest
