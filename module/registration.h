// Writes the component's registration into the host's registry and removes
// it again: the AppID, both classes with their ProgIDs, and the type library.
#pragma once

#include <string>

#include "host_standin/registry.h"

namespace veldmark {

// `modulePath` is the component library's full file path.
void RegisterComponent(standin::Registry& registry, const std::string& modulePath);
// Keeps the shared "AppID" and "CLSID" keys, which other components use too.
void UnregisterComponent(standin::Registry& registry);

}  // namespace veldmark
