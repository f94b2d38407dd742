// Message formatting as the platform's message formatter does it for the
// component's strings: "%1" to "%99" take the inserts, "%%" is a percent sign,
// "%n" a line break, "%0" ends the message. Inserts are copied unchanged.
#pragma once

#include <span>

#include "host/com.h"

namespace veldmark {

// A reference to an insert that was not given is copied as it stands.
kfx::Text FormatMessageText(const kfx::Text& pattern, std::span<const kfx::Text> inserts = {});

}  // namespace veldmark
