#include "host_standin/collection_key.h"

namespace standin {

kfx::HRESULT PositionIndex(const kfx::Variant& key, std::size_t count, std::size_t& index) {
    if (!key.IsInteger()) return kfx::HR_E_INVALIDARG;
    const std::int32_t position = key.Integer();
    if (position < 1 || static_cast<std::size_t>(position) > count) return kfx::HR_DISP_E_BADINDEX;
    index = static_cast<std::size_t>(position) - 1;
    return kfx::HR_S_OK;
}

}  // namespace standin
