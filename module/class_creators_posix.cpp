#include "module/class_creators.h"

#include "release/create_release_script.h"
#include "setup/create_setup_script.h"

namespace veldmark {

// The stand-in host calls the portable objects' interfaces as they are.
CreateInstanceFunction ReleaseClassCreator() { return CreateReleaseScript; }
CreateInstanceFunction SetupClassCreator() { return CreateSetupScript; }

}  // namespace veldmark
