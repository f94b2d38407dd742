#include "data_access/com_runtime.h"

namespace dbAx {

kfx::HRESULT InitializeComRuntime() { return kfx::HR_S_OK; }

void UninitializeComRuntime() {}

}  // namespace dbAx
