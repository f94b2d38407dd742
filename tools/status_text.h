// Result codes as the veldmark command shows them.
#pragma once

#include <string>
#include <string_view>

#include "host/com.h"
#include "host/kfx_types.h"

namespace standin {

// "0x80004005"
std::string StatusText(kfx::HRESULT status);
// "KFX_REL_ERROR (-1)"; an unknown value shows as its number.
std::string ReturnValueText(kfx::KfxReturnValue value);
// The message as UTF-8, each of its lines (ended by CR LF, CR or LF) with
// every control character escaped as DisplayText does, joined by the
// separator; empty lines are left out, so no part shown is empty.
std::string JoinedLines(const kfx::Text& message, std::string_view separator);
// JoinedLines with " / ": output is read one line per finding.
std::string OnOneLine(const kfx::Text& message);

}  // namespace standin
