#include "tests/data_access/odbc/scoped_variable.h"

#include <cstdlib>

namespace odbctest {

ScopedVariable::ScopedVariable(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
}

ScopedVariable::~ScopedVariable() {
    if (old_) {
        setenv(name_.c_str(), old_->c_str(), 1);
    } else {
        unsetenv(name_.c_str());
    }
}

}  // namespace odbctest
