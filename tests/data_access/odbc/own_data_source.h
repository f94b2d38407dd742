// A copy of the test data source under a name of its own, in an odbc.ini of
// its own that ODBCINI names while it lives, with one line added to its
// entry. Its own name, because the driver manager keeps what it read of an
// entry for a while.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "tests/data_access/odbc/scoped_variable.h"

namespace odbctest {

class OwnDataSource {
public:
    // source: the test data source; name: tells this copy apart; line: added to its entry.
    OwnDataSource(const std::string& source, const std::string& name, const std::string& line);
    ~OwnDataSource();
    OwnDataSource(const OwnDataSource&) = delete;
    OwnDataSource& operator=(const OwnDataSource&) = delete;

    const std::string& Name() const { return name_; }

private:
    std::string name_;
    std::filesystem::path path_;
    std::optional<ScopedVariable> odbcIni_;
};

}  // namespace odbctest
