// The component registered for one benchmark run in a registry of the run's
// own, so that `veldmark` finds the build's component without the user
// registering it, and the user's own registry is neither read nor changed.
#pragma once

#include <filesystem>
#include <string>

namespace benchsupport {

class RegisteredComponent {
public:
    // Registers `library` through `veldmark register` into a fresh registry
    // and points $VELDMARK_REGISTRY at it; throws std::runtime_error, with
    // veldmark's own message, when that fails.
    RegisteredComponent(std::filesystem::path veldmark, std::filesystem::path library);
    ~RegisteredComponent();
    RegisteredComponent(const RegisteredComponent&) = delete;
    RegisteredComponent& operator=(const RegisteredComponent&) = delete;

private:
    std::filesystem::path directory_;
};

}  // namespace benchsupport
