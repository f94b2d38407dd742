// How the host's collections read an Item key given by position.
#pragma once

#include <cstddef>

#include "host/com.h"
#include "host/variant.h"

namespace standin {

// A 1-based integer position within count items gives HR_S_OK and the 0-based
// index; a position outside gives HR_DISP_E_BADINDEX; a key that is not an
// integer gives HR_E_INVALIDARG.
kfx::HRESULT PositionIndex(const kfx::Variant& key, std::size_t count, std::size_t& index);

}  // namespace standin
