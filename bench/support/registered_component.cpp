#include "bench/support/registered_component.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include <unistd.h>

namespace benchsupport {
namespace {

std::string Quoted(const std::filesystem::path& path) {
    std::string quoted = "'";
    for (const char c : path.string()) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string Contents(const std::filesystem::path& file) {
    std::ifstream stream(file);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

// Leaves neither the registry nor the variable pointing at it behind.
void Discard(const std::filesystem::path& directory) {
    ::unsetenv("VELDMARK_REGISTRY");
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
}

}  // namespace

RegisteredComponent::RegisteredComponent(std::filesystem::path veldmark, std::filesystem::path library)
    : directory_(std::filesystem::temp_directory_path() / ("veldmark-bench-registry-" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(directory_);
    std::filesystem::create_directories(directory_);
    const auto registry = directory_ / "registry.json";
    ::setenv("VELDMARK_REGISTRY", registry.c_str(), 1);
    const auto errors = directory_ / "register.err";
    const std::string command = Quoted(veldmark) + " register " + Quoted(library) + " > /dev/null 2> " + Quoted(errors);
    if (std::system(command.c_str()) != 0) {
        const std::string message = "Registering " + library.string() + " for the benchmark failed: " + Contents(errors);
        Discard(directory_);
        throw std::runtime_error(message);
    }
}

RegisteredComponent::~RegisteredComponent() { Discard(directory_); }

}  // namespace benchsupport
