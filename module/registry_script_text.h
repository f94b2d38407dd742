// The component's registry scripts, by resource number.
#pragma once

#include <string>

namespace veldmark {

inline constexpr int kAppIdScript = 11000;
inline constexpr int kReleaseClassScript = 11001;
inline constexpr int kSetupClassScript = 11002;

// Throws RegistryScriptError when the component carries no such script.
std::string RegistryScriptText(int resource);

}  // namespace veldmark
