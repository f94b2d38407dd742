// The component's own version, as the General page shows it.
#pragma once

#include <optional>

#include "host/com.h"

namespace veldmark {

struct ModuleVersion {
    int major = 0;
    int minor = 0;
    int build = 0;
};

// The version the component was built with; nothing when it cannot be read.
std::optional<ModuleVersion> ReadModuleVersion();

// "major.minor.build".
kfx::Text FormatModuleVersion(const ModuleVersion& version);

}  // namespace veldmark
