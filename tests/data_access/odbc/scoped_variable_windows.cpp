#include "tests/data_access/odbc/scoped_variable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

namespace odbctest {
namespace {

// _putenv_s changes what getenv reads and the process's environment block
// alike; an empty value removes the variable.
bool Put(const std::string& name, const std::string& value) { return _putenv_s(name.c_str(), value.c_str()) == 0; }

}  // namespace

ScopedVariable::ScopedVariable(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (!Put(name_, value)) throw std::runtime_error("the environment variable " + name_ + " cannot be set");
}

ScopedVariable::~ScopedVariable() {
    if (!Put(name_, old_.value_or(""))) ADD_FAILURE() << "the environment variable " << name_ << " cannot be restored";
}

}  // namespace odbctest
