// How each class's instances are made on this platform: the portable objects
// themselves, or the platform's object model around them.
#pragma once

#include "module/class_factory.h"

namespace veldmark {

CreateInstanceFunction ReleaseClassCreator();
CreateInstanceFunction SetupClassCreator();

}  // namespace veldmark
