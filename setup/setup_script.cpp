#include "setup/setup_script.h"

#include <new>
#include <stdexcept>

#include "module/kessarin_module.h"
#include "setup/resource_ids.h"
#include "setup/resources.h"

namespace veldmark {

kfx::HRESULT TarvelSetupScript::Create(kfx::IUnknown* outer, const kfx::Guid& iid, void** object,
                                       std::unique_ptr<SettingsSheetRunner> runner) {
    if (!object) return kfx::HR_E_POINTER;
    *object = nullptr;
    if (!runner) return kfx::HR_E_INVALIDARG;
    // An aggregating object must hold the inner identity, nothing else.
    if (outer && !(iid == kfx::IID_IUnknown)) return kfx::HR_CLASS_E_NOAGGREGATION;

    TarvelSetupScript* script = new (std::nothrow) TarvelSetupScript(outer, std::move(runner));
    if (!script) return kfx::HR_E_OUTOFMEMORY;
    script->inner_.AddRef();
    const kfx::HRESULT hr = script->inner_.QueryInterface(iid, object);
    script->inner_.Release();
    return hr;
}

TarvelSetupScript::TarvelSetupScript(kfx::IUnknown* outer, std::unique_ptr<SettingsSheetRunner> runner)
    : controlling_(outer ? outer : &inner_), runner_(std::move(runner)) {
    CKessarinModule::Lock();
}

TarvelSetupScript::~TarvelSetupScript() { CKessarinModule::Unlock(); }

kfx::HRESULT TarvelSetupScript::InnerUnknown::QueryInterface(const kfx::Guid& iid, void** object) {
    if (!object) return kfx::HR_E_POINTER;
    if (iid == kfx::IID_IUnknown) {
        *object = static_cast<kfx::IUnknown*>(this);
    } else if (iid == kfx::IID_IKfxReleaseSetupScript) {
        *object = static_cast<kfx::IKfxReleaseSetupScript*>(&owner_);
    } else {
        *object = nullptr;
        return kfx::HR_E_NOINTERFACE;
    }
    static_cast<kfx::IUnknown*>(*object)->AddRef();
    return kfx::HR_S_OK;
}

std::uint32_t TarvelSetupScript::InnerUnknown::AddRef() { return ++owner_.references_; }

std::uint32_t TarvelSetupScript::InnerUnknown::Release() {
    const std::uint32_t remaining = --owner_.references_;
    if (remaining == 0) delete &owner_;
    return remaining;
}

kfx::HRESULT TarvelSetupScript::QueryInterface(const kfx::Guid& iid, void** object) {
    return controlling_->QueryInterface(iid, object);
}

std::uint32_t TarvelSetupScript::AddRef() { return controlling_->AddRef(); }

std::uint32_t TarvelSetupScript::Release() { return controlling_->Release(); }

kfx::HRESULT TarvelSetupScript::OpenScript(kfx::KfxReturnValue* result) {
    if (!result) return kfx::HR_E_POINTER;
    *result = kfx::KFX_REL_SUCCESS;
    return kfx::HR_S_OK;
}

kfx::HRESULT TarvelSetupScript::CloseScript(kfx::KfxReturnValue* result) {
    if (!result) return kfx::HR_E_POINTER;
    *result = kfx::KFX_REL_SUCCESS;
    return kfx::HR_S_OK;
}

kfx::HRESULT TarvelSetupScript::RunUI(kfx::KfxReturnValue* result) {
    if (!result) return kfx::HR_E_POINTER;
    // Nothing may leave through the host's interface as an exception.
    try {
        ShowSheetAndSave();
    } catch (const std::bad_alloc&) {
        *result = kfx::KFX_REL_ERROR;
        return kfx::HR_E_OUTOFMEMORY;
    } catch (const std::exception&) {
        *result = kfx::KFX_REL_ERROR;
        return kfx::HR_E_FAIL;
    }
    *result = kfx::KFX_REL_SUCCESS;
    return kfx::HR_S_OK;
}

void TarvelSetupScript::ShowSheetAndSave() {
    const kfx::Text title = LoadResourceString(res::kStringSheetTitle);
    SetupModel model(setupData_);
    model.BuildFieldCatalogue();
    model.LoadSetupProperties();
    model.LoadLinks();
    model.LoadValueNames();
    if (!runner_->Run(title, model)) return;
    // Apply follows even a failed save: whatever was written is committed.
    model.SaveLinks();
    if (setupData_) setupData_->Apply();
}

kfx::HRESULT TarvelSetupScript::ActionEvent(kfx::KfxActionValue action, const kfx::Text&, const kfx::Text&,
                                            kfx::KfxReturnValue* result) {
    if (!result) return kfx::HR_E_POINTER;
    // Renames, deletions and inserts of classes and fields need nothing from
    // the connector; folder classes and tables it does not support.
    const auto value = static_cast<std::uint32_t>(action);
    *result = value <= kfx::KFX_REL_END ? kfx::KFX_REL_SUCCESS : kfx::KFX_REL_UNSUPPORTED;
    return kfx::HR_S_OK;
}

kfx::HRESULT TarvelSetupScript::get_SetupData(kfx::IReleaseSetupData** data) {
    if (!data) return kfx::HR_E_POINTER;
    *data = kfx::ComPtr<kfx::IReleaseSetupData>(setupData_).Detach();
    return kfx::HR_S_OK;
}

kfx::HRESULT TarvelSetupScript::putref_SetupData(kfx::IReleaseSetupData* data) {
    if (data == setupData_.Get()) return kfx::HR_S_OK;
    setupData_ = kfx::ComPtr<kfx::IReleaseSetupData>(data);
    return kfx::HR_S_OK;
}

}  // namespace veldmark
