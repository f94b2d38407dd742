// A component library opened from its file, and its exported functions
// found by name. Closed again when it goes.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "host/com.h"

namespace standin {

constexpr kfx::HRESULT HR_REGDB_E_CLASSNOTREG = static_cast<kfx::HRESULT>(0x80040154);
// The system's "module not found" and "procedure not found" as result codes.
constexpr kfx::HRESULT HR_E_MODULE_NOT_FOUND = static_cast<kfx::HRESULT>(0x8007007E);
constexpr kfx::HRESULT HR_E_PROC_NOT_FOUND = static_cast<kfx::HRESULT>(0x8007007F);

// A component that cannot be found or loaded: the text says why, the code
// is the result the host answers.
class ComponentLoadError : public std::runtime_error {
public:
    ComponentLoadError(kfx::HRESULT code, const std::string& what) : std::runtime_error(what), code_(code) {}
    kfx::HRESULT Code() const { return code_; }

private:
    kfx::HRESULT code_;
};

class DynamicLibrary {
public:
    // Throws ComponentLoadError naming the file and the system's reason.
    explicit DynamicLibrary(const std::filesystem::path& file);
    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // Throws ComponentLoadError when the library does not export `name`.
    template <class Function>
    Function EntryPoint(const char* name) const {
        return reinterpret_cast<Function>(Symbol(name));
    }

    const std::filesystem::path& File() const { return file_; }

    // The library stays loaded when this object goes: its code is still in use.
    void KeepLoaded() { keepLoaded_ = true; }

private:
    void* Symbol(const char* name) const;

    std::filesystem::path file_;
    void* handle_;
    bool keepLoaded_ = false;
};

}  // namespace standin
