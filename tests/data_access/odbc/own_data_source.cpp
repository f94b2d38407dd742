#include "tests/data_access/odbc/own_data_source.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace odbctest {

OwnDataSource::OwnDataSource(const std::string& source, const std::string& name, const std::string& line)
    : name_(source + "_" + name),
      path_(std::filesystem::temp_directory_path() /
            ("veldmark-odbc-" + std::to_string(getpid()) + "-" + name + ".ini")) {
    std::ifstream original(std::getenv("ODBCINI"));
    std::ostringstream text;
    text << original.rdbuf();
    std::string entries = text.str();
    const std::string header = "[" + source + "]";
    entries.replace(entries.find(header), header.size(), "[" + name_ + "]");
    // The entry is the file's last section, so a line added at the end belongs to it.
    std::ofstream(path_) << entries << line << "\n";
    odbcIni_.emplace("ODBCINI", path_.string());
}

OwnDataSource::~OwnDataSource() {
    odbcIni_.reset();
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

}  // namespace odbctest
