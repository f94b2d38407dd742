// The type library embedded in the component, read from the component's own
// file once and kept until it unloads: what its objects answer IDispatch from.
#pragma once

#include "host/windows_api.h"

#include <oaidl.h>

namespace veldmark {

// The description of one interface of the library, with a reference for the
// caller; null when the library cannot be read.
ITypeInfo* EmbeddedTypeInfo(REFIID iid);

}  // namespace veldmark
