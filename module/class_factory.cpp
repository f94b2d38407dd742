#include "module/class_factory.h"

#include <new>

#include "module/kessarin_module.h"

namespace veldmark {

CClassFactory* CClassFactory::Create(CreateInstanceFunction createInstance) {
    return new (std::nothrow) CClassFactory(createInstance);
}

kfx::HRESULT CClassFactory::QueryInterface(const kfx::Guid& iid, void** object) {
    if (!object) return kfx::HR_E_POINTER;
    if (iid != kfx::IID_IUnknown && iid != kfx::IID_IClassFactory) {
        *object = nullptr;
        return kfx::HR_E_NOINTERFACE;
    }
    *object = static_cast<kfx::IClassFactory*>(this);
    AddRef();
    return kfx::HR_S_OK;
}

std::uint32_t CClassFactory::AddRef() {
    const std::uint32_t count = ++references_;
    if (count == 2) CKessarinModule::Lock();
    return count;
}

std::uint32_t CClassFactory::Release() {
    const std::uint32_t remaining = --references_;
    if (remaining == 1) CKessarinModule::Unlock();
    if (remaining == 0) delete this;
    return remaining;
}

kfx::HRESULT CClassFactory::CreateInstance(kfx::IUnknown* outer, const kfx::Guid& iid, void** object) {
    return createInstance_(outer, iid, object);
}

kfx::HRESULT CClassFactory::LockServer(bool lock) {
    if (lock)
        CKessarinModule::Lock();
    else
        CKessarinModule::Unlock();
    return kfx::HR_S_OK;
}

}  // namespace veldmark
