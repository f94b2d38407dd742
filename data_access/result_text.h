// The message text of a platform result code.
#pragma once

#include "host/com.h"

namespace dbAx {

// The system's message for the code, else "IDispatch error #n" for codes of
// the interface range, else "Unknown error 0x...".
kfx::Text ResultText(kfx::HRESULT result);

}  // namespace dbAx
