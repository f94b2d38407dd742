#include "host_standin/batch_variable_names.h"

namespace standin {

NameEnumerator::NameEnumerator(std::shared_ptr<FaultPlan> plan, std::vector<kfx::Text> names)
    : ComObject(std::move(plan)), names_(std::move(names)) {}

kfx::HRESULT NameEnumerator::Next(kfx::Variant* item) {
    const kfx::HRESULT hr = Enter("Next");
    if (!item) return kfx::HR_E_POINTER;
    *item = kfx::Variant();
    if (kfx::Failed(hr)) return hr;
    if (next_ == names_.size()) return kfx::HR_S_FALSE;
    *item = kfx::Variant(names_[next_++]);
    return kfx::HR_S_OK;
}

BatchVariableNames::BatchVariableNames(std::shared_ptr<FaultPlan> plan, std::vector<kfx::Text> names)
    : ComObject(std::move(plan)), names_(std::move(names)) {}

kfx::HRESULT BatchVariableNames::get__NewEnum(kfx::IUnknown** enumerator) {
    const kfx::HRESULT hr = Enter("get__NewEnum");
    if (!enumerator) return kfx::HR_E_POINTER;
    *enumerator = nullptr;
    if (kfx::Failed(hr)) return hr;
    return HandOutUnchecked(MakeHostObject<NameEnumerator>(Plan(), names_), enumerator);
}

}  // namespace standin
