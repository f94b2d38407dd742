// The component library opened from its file, as the host opens it, with
// the registry pointed at a file of the test's own.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/class_factory.h"

namespace veldmark {

class LoadedComponent {
public:
    LoadedComponent() : handle_(dlopen(KESSARIN_LIBRARY, RTLD_NOW | RTLD_LOCAL)) {
        if (!handle_) ADD_FAILURE() << dlerror();
    }
    ~LoadedComponent() {
        if (handle_) dlclose(handle_);
    }
    LoadedComponent(const LoadedComponent&) = delete;
    LoadedComponent& operator=(const LoadedComponent&) = delete;

    template <class Function>
    Function Find(const char* name) const {
        return handle_ ? reinterpret_cast<Function>(dlsym(handle_, name)) : nullptr;
    }
    kfx::DllGetClassObjectFunction GetClassObject() const {
        return Find<kfx::DllGetClassObjectFunction>("DllGetClassObject");
    }
    kfx::DllCanUnloadNowFunction CanUnloadNow() const { return Find<kfx::DllCanUnloadNowFunction>("DllCanUnloadNow"); }

private:
    void* handle_;
};

// Points $VELDMARK_REGISTRY at a fresh file for the test and removes it after.
class TemporaryRegistry {
public:
    TemporaryRegistry() {
        // Parameterised test names hold "/", which a file name cannot.
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-');
        file_ = std::filesystem::temp_directory_path() /
                ("veldmark-registry-" + std::to_string(::getpid()) + "-" + name + ".json");
        std::filesystem::remove(file_);
        ::setenv("VELDMARK_REGISTRY", file_.c_str(), 1);
    }
    ~TemporaryRegistry() {
        ::unsetenv("VELDMARK_REGISTRY");
        std::error_code ignored;
        std::filesystem::remove(file_, ignored);
    }
    const std::filesystem::path& File() const { return file_; }

private:
    std::filesystem::path file_;
};

}  // namespace veldmark
