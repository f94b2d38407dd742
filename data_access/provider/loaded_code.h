// What the provider asks of the operating system about its own code.
#pragma once

namespace dbAx::provider {

// Keeps the library this code is part of loaded until the process ends,
// whatever its host unloads: a thread left waiting in a driver returns into
// this code, however late.
void KeepThisCodeLoaded();

}  // namespace dbAx::provider
