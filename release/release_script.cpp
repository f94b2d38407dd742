#include "release/release_script.h"

#include <new>

#include "module/kessarin_module.h"
#include "release/create_release_script.h"
#include "release/release_document.h"
#include "release/report_message.h"

namespace veldmark {

kfx::HRESULT releaseScript::Create(kfx::IUnknown* outer, const kfx::Guid& iid, void** object) {
    if (!object) return kfx::HR_E_POINTER;
    *object = nullptr;
    // An aggregating object must hold the inner identity, nothing else.
    if (outer && iid != kfx::IID_IUnknown) return kfx::HR_CLASS_E_NOAGGREGATION;
    auto* script = new (std::nothrow) releaseScript(outer);
    if (!script) return kfx::HR_E_OUTOFMEMORY;
    script->inner_.AddRef();
    const kfx::HRESULT result = script->inner_.QueryInterface(iid, object);
    script->inner_.Release();
    return result;
}

releaseScript::releaseScript(kfx::IUnknown* outer) : controlling_(outer ? outer : &inner_) {
    CKessarinModule::Lock();
}

releaseScript::~releaseScript() { CKessarinModule::Unlock(); }

kfx::HRESULT releaseScript::InnerUnknown::QueryInterface(const kfx::Guid& iid, void** object) {
    if (!object) return kfx::HR_E_POINTER;
    if (iid == kfx::IID_IUnknown) {
        *object = static_cast<kfx::IUnknown*>(this);
    } else if (iid == kfx::IID_IKfxReleaseScript) {
        *object = static_cast<kfx::IKfxReleaseScript*>(&owner_);
    } else {
        *object = nullptr;
        return kfx::HR_E_NOINTERFACE;
    }
    static_cast<kfx::IUnknown*>(*object)->AddRef();
    return kfx::HR_S_OK;
}

std::uint32_t releaseScript::InnerUnknown::AddRef() { return ++owner_.references_; }

std::uint32_t releaseScript::InnerUnknown::Release() {
    const std::uint32_t remaining = --owner_.references_;
    if (remaining == 0) delete &owner_;
    return remaining;
}

kfx::HRESULT releaseScript::QueryInterface(const kfx::Guid& iid, void** object) {
    return controlling_->QueryInterface(iid, object);
}

std::uint32_t releaseScript::AddRef() { return controlling_->AddRef(); }

std::uint32_t releaseScript::Release() { return controlling_->Release(); }

kfx::HRESULT releaseScript::OpenScript(kfx::KfxReturnValue* result) {
    if (result) *result = kfx::KFX_REL_SUCCESS;
    return kfx::HR_S_OK;
}

kfx::HRESULT releaseScript::ReleaseDoc(kfx::KfxReturnValue* result) {
    kfx::KfxReturnValue outcome = kfx::KFX_REL_ERROR;
    if (documentData_) outcome = ReleaseDocument(documentData_.Get());
    if (result) *result = outcome;
    return kfx::HR_S_OK;
}

kfx::HRESULT releaseScript::CloseScript(kfx::KfxReturnValue* result) {
    documentData_.Reset();
    currentReleaseData().Reset();
    if (result) *result = kfx::KFX_REL_SUCCESS;
    return kfx::HR_S_OK;
}

kfx::HRESULT releaseScript::get_DocumentData(kfx::IReleaseData** data) {
    if (!data) return kfx::HR_E_POINTER;
    *data = kfx::ComPtr<kfx::IReleaseData>(documentData_).Detach();
    return kfx::HR_S_OK;
}

kfx::HRESULT releaseScript::putref_DocumentData(kfx::IReleaseData* data) {
    if (data != documentData_.Get()) documentData_ = kfx::ComPtr<kfx::IReleaseData>(data);
    if (data != currentReleaseData().Get()) currentReleaseData() = kfx::ComPtr<kfx::IReleaseData>(data);
    return kfx::HR_S_OK;
}

kfx::HRESULT CreateReleaseScript(kfx::IUnknown* outer, const kfx::Guid& iid, void** object) {
    return releaseScript::Create(outer, iid, object);
}

void ReleaseCurrentReleaseData() { currentReleaseData().Reset(); }

}  // namespace veldmark
