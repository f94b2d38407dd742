#include "tools/in_process_loader.h"

namespace standin {

kfx::HRESULT InProcessLoader::CreateInstance(const std::string& progId, const kfx::Guid& iid, void** object) {
    if (!object) return kfx::HR_E_POINTER;
    *object = nullptr;
    auto found = classes_.find(progId);
    if (found == classes_.end()) return kfx::HR_CLASS_E_CLASSNOTAVAILABLE;
    return found->second(nullptr, iid, object);
}

}  // namespace standin
