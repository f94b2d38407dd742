// Our texts as the wide-character Windows API takes them: both are UTF-16.
#pragma once

#include <string>

#include "host/com.h"

namespace veldmark {

inline const wchar_t* WideOf(const kfx::Text& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

inline kfx::Text TextOf(const std::wstring& text) {
    return kfx::Text(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

}  // namespace veldmark
