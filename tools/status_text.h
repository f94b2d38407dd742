// Result codes as the veldmark command shows them.
#pragma once

#include <string>

#include "host/com.h"
#include "host/kfx_types.h"

namespace standin {

// "0x80004005"
std::string StatusText(kfx::HRESULT status);
// "KFX_REL_ERROR (-1)"; an unknown value shows as its number.
std::string ReturnValueText(kfx::KfxReturnValue value);
// The message as UTF-8 on one line, its line breaks shown as " / " (output
// is read one line per finding) and any other control character escaped as
// DisplayText does.
std::string OnOneLine(const kfx::Text& message);

}  // namespace standin
