// An environment variable set for as long as the object lives; the value it
// had before comes back when it goes.
#pragma once

#include <optional>
#include <string>

namespace odbctest {

class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

}  // namespace odbctest
