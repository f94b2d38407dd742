#include "release/release_script.h"

#include "release/create_release_script.h"
#include "release/release_document.h"
#include "release/report_message.h"

namespace veldmark {

kfx::HRESULT releaseScript::QueryInterface(const kfx::Guid& iid, void** object) {
    if (!object) return kfx::E_POINTER;
    *object = nullptr;
    if (iid != kfx::IID_IUnknown && iid != kfx::IID_IKfxReleaseScript) return kfx::E_NOINTERFACE;
    *object = static_cast<kfx::IKfxReleaseScript*>(this);
    AddRef();
    return kfx::S_OK;
}

std::uint32_t releaseScript::AddRef() { return ++references_; }

std::uint32_t releaseScript::Release() {
    const std::uint32_t remaining = --references_;
    if (remaining == 0) delete this;
    return remaining;
}

kfx::HRESULT releaseScript::OpenScript(kfx::KfxReturnValue* result) {
    if (result) *result = kfx::KFX_REL_SUCCESS;
    return kfx::S_OK;
}

kfx::HRESULT releaseScript::ReleaseDoc(kfx::KfxReturnValue* result) {
    kfx::KfxReturnValue outcome = kfx::KFX_REL_ERROR;
    if (documentData_) outcome = ReleaseDocument(documentData_.Get());
    if (result) *result = outcome;
    return kfx::S_OK;
}

kfx::HRESULT releaseScript::CloseScript(kfx::KfxReturnValue* result) {
    documentData_.Reset();
    currentReleaseData().Reset();
    if (result) *result = kfx::KFX_REL_SUCCESS;
    return kfx::S_OK;
}

kfx::HRESULT releaseScript::get_DocumentData(kfx::IReleaseData** data) {
    if (!data) return kfx::E_POINTER;
    *data = kfx::ComPtr<kfx::IReleaseData>(documentData_).Detach();
    return kfx::S_OK;
}

kfx::HRESULT releaseScript::putref_DocumentData(kfx::IReleaseData* data) {
    if (data != documentData_.Get()) documentData_ = kfx::ComPtr<kfx::IReleaseData>(data);
    if (data != currentReleaseData().Get()) currentReleaseData() = kfx::ComPtr<kfx::IReleaseData>(data);
    return kfx::S_OK;
}

kfx::HRESULT CreateReleaseScript(kfx::IUnknown* outer, const kfx::Guid& iid, void** object) {
    if (!object) return kfx::E_POINTER;
    *object = nullptr;
    if (outer) return kfx::CLASS_E_NOAGGREGATION;
    auto* script = new releaseScript();
    script->AddRef();
    const kfx::HRESULT result = script->QueryInterface(iid, object);
    script->Release();
    return result;
}

void ReleaseCurrentReleaseData() { currentReleaseData().Reset(); }

}  // namespace veldmark
