// What the component asks of the operating system when it loads.
#pragma once

#include <string>

namespace veldmark::platform {

// Starts the socket library the platform needs before networking; false
// when it cannot. Where sockets need no start this always succeeds.
bool StartSocketLibrary();

// The full file path of the component library this code is part of; empty
// when the system cannot tell.
std::string ModuleFilePath();

}  // namespace veldmark::platform
