#include "setup/module_version.h"

#include <cstdio>
#include <string>

#ifndef VELDMARK_COMPONENT_VERSION
#error "VELDMARK_COMPONENT_VERSION must name the component's version, as major.minor.build"
#endif

namespace veldmark {

std::optional<ModuleVersion> ReadModuleVersion() {
    ModuleVersion version;
    int consumed = 0;
    const char* text = VELDMARK_COMPONENT_VERSION;
    if (std::sscanf(text, "%d.%d.%d%n", &version.major, &version.minor, &version.build, &consumed) != 3 ||
        text[consumed] != '\0')
        return std::nullopt;
    return version;
}

kfx::Text FormatModuleVersion(const ModuleVersion& version) {
    const std::string text = std::to_string(version.major) + '.' + std::to_string(version.minor) + '.' +
                             std::to_string(version.build);
    return kfx::Text(text.begin(), text.end());
}

}  // namespace veldmark
