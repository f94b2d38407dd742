#include "setup/module_version.h"

#include <cstdio>

#ifndef VELDMARK_COMPONENT_VERSION
#error "VELDMARK_COMPONENT_VERSION must name the component's version, as major.minor.build"
#endif

namespace veldmark {

// A shared library carries no version of its own: the build writes it in.
std::optional<ModuleVersion> ReadModuleVersion() {
    ModuleVersion version;
    int consumed = 0;
    const char* text = VELDMARK_COMPONENT_VERSION;
    if (std::sscanf(text, "%d.%d.%d%n", &version.major, &version.minor, &version.build, &consumed) != 3 ||
        text[consumed] != '\0')
        return std::nullopt;
    return version;
}

}  // namespace veldmark
