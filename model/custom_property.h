// Reading a custom property of the host by name, at release and at setup.
#pragma once

#include "host/com.h"
#include "host/release_data.h"

namespace veldmark {

// Found only when the lookup and the read of its value succeed; the text is
// empty otherwise.
bool ReadCustomProperty(kfx::ICustomProperties* properties, const kfx::Text& name, kfx::Text& value);

}  // namespace veldmark
