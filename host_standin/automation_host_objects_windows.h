// The stand-in host's objects as automation objects: what veldmark.exe hands
// the component. Each call returns a new object with one reference for the
// caller, or null when memory runs out.
#pragma once

#include "host/windows_api.h"

#include <oaidl.h>

#include "host/release_data.h"
#include "host/release_setup_data.h"

namespace standin::automation {

::IDispatch* AutomationObjectOf(kfx::IReleaseData* data);
::IDispatch* AutomationObjectOf(kfx::IValues* values);
::IDispatch* AutomationObjectOf(kfx::IValue* value);
::IDispatch* AutomationObjectOf(kfx::IRowValues* rows);
::IDispatch* AutomationObjectOf(kfx::IRowValue* row);
::IDispatch* AutomationObjectOf(kfx::ICustomProperties* properties);
::IDispatch* AutomationObjectOf(kfx::ICustomProperty* property);
::IDispatch* AutomationObjectOf(kfx::IReleaseSetupData* data);
::IDispatch* AutomationObjectOf(kfx::ILinks* links);
::IDispatch* AutomationObjectOf(kfx::ILink* link);
::IDispatch* AutomationObjectOf(kfx::IIndexFields* fields);
::IDispatch* AutomationObjectOf(kfx::IIndexField* field);

}  // namespace standin::automation
