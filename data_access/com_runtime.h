// The component object model's runtime for the calling thread, which the
// library's start and stop bracket. Where there is none, both do nothing.
#pragma once

#include "host/com.h"

namespace dbAx {

// Initialises the runtime for the calling thread, apartment-threaded. A thread
// on which it was initialised already counts as success.
kfx::HRESULT InitializeComRuntime();

// Undoes a successful InitializeComRuntime.
void UninitializeComRuntime();

}  // namespace dbAx
