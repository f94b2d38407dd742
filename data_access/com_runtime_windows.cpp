#include "host/windows_api.h"

#include <objbase.h>

#include "data_access/com_runtime.h"

namespace dbAx {
namespace {

// Whether the last initialisation is owed an uninitialisation: a thread
// already initialised in another apartment model keeps it, and owes none.
bool owesUninitialize = false;

}  // namespace

kfx::HRESULT InitializeComRuntime() {
    const HRESULT result = CoInitialize(nullptr);
    if (result == RPC_E_CHANGED_MODE) {
        owesUninitialize = false;
        return kfx::HR_S_FALSE;
    }
    owesUninitialize = SUCCEEDED(result);
    return static_cast<kfx::HRESULT>(result);
}

void UninitializeComRuntime() {
    if (!owesUninitialize) return;
    owesUninitialize = false;
    CoUninitialize();
}

}  // namespace dbAx
