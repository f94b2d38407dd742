// A copy of the test data source under a name of its own, with one line
// added to its entry, for as long as the object lives. Its own name,
// because the driver manager keeps what it read of an entry for a while.
// Where the copy is kept depends on the platform's driver manager.
#pragma once

#include <memory>
#include <string>

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
    struct Kept;  // what the destructor takes away again

    std::string name_;
    std::unique_ptr<Kept> kept_;
};

}  // namespace odbctest
