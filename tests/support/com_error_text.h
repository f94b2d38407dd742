// What RaiseAxError appends for a platform result, "\nCOM Error: " and the
// result's text: the platform's own message table gives the text, so tests
// that compose descriptions take it from there.
#pragma once

#include <string>

#include "data_access/result_text.h"
#include "host/utf8.h"

namespace testsupport {

inline kfx::Text ComErrorLine(kfx::HRESULT result) { return u"\nCOM Error: " + dbAx::ResultText(result); }

inline std::string ComErrorLineUtf8(kfx::HRESULT result) { return kfx::ToUtf8(ComErrorLine(result)); }

}  // namespace testsupport
