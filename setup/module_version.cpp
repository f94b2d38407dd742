#include "setup/module_version.h"

#include <string>

namespace veldmark {

kfx::Text FormatModuleVersion(const ModuleVersion& version) {
    const std::string text = std::to_string(version.major) + '.' + std::to_string(version.minor) + '.' +
                             std::to_string(version.build);
    return kfx::Text(text.begin(), text.end());
}

}  // namespace veldmark
