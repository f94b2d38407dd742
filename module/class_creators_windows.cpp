#include "module/class_creators.h"

#include "module/com_script_objects_windows.h"

namespace veldmark {

// Clients reach the classes through the type library's dual interfaces.
CreateInstanceFunction ReleaseClassCreator() { return CreateComReleaseScript; }
CreateInstanceFunction SetupClassCreator() { return CreateComSetupScript; }

}  // namespace veldmark
