// The host's objects as the component reaches them on Windows: automation
// objects called by member name, behind the host interfaces the release and
// setup code use everywhere. Only the interfaces whose identifiers the host
// publishes are asked for by identifier (the table rows of a value, the
// collection of value names and the standard enumerator).
#pragma once

#include "host/windows_api.h"

#include <oaidl.h>

#include "host/com.h"
#include "host/release_data.h"
#include "host/release_setup_data.h"

namespace kfx::late_bound {

// Null when memory runs out or the object is null.
ComPtr<IReleaseData> ReleaseDataOf(IDispatch* object);
ComPtr<IReleaseSetupData> ReleaseSetupDataOf(IDispatch* object);

}  // namespace kfx::late_bound
