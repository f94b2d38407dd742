#include "host_standin/component_client_windows.h"

#include <oleauto.h>

#include <atomic>
#include <new>

#include "kessarin_h.h"

#include "host/automation_values_windows.h"
#include "host/release_script.h"
#include "host_standin/automation_host_objects_windows.h"

namespace standin {
namespace {

// The out value of one of the component's operations, in the host's type.
template <class Call>
kfx::HRESULT WithOutcome(kfx::KfxReturnValue* result, Call call) {
    if (!result) return kfx::HR_E_POINTER;
    ::KfxReturnValue outcome = ::KFX_REL_ERROR;
    const HRESULT hr = call(&outcome);
    *result = static_cast<kfx::KfxReturnValue>(outcome);
    return static_cast<kfx::HRESULT>(hr);
}

// What both classes do alike: counting, identity and the host object handed
// over as an automation object.
template <class HostView, class Component>
class ClientBase : public HostView {
public:
    explicit ClientBase(Component* component, const kfx::Guid& iid) : component_(component), iid_(iid) {}

    kfx::HRESULT QueryInterface(const kfx::Guid& iid, void** object) override {
        if (!object) return kfx::HR_E_POINTER;
        *object = nullptr;
        if (!(iid == kfx::IID_IUnknown || iid == iid_)) return kfx::HR_E_NOINTERFACE;
        this->AddRef();
        *object = static_cast<HostView*>(this);
        return kfx::HR_S_OK;
    }
    std::uint32_t AddRef() override { return ++references_; }
    std::uint32_t Release() override {
        const std::uint32_t left = --references_;
        if (left == 0) delete this;
        return left;
    }

    kfx::HRESULT OpenScript(kfx::KfxReturnValue* result) override {
        return WithOutcome(result, [this](::KfxReturnValue* outcome) { return component_->OpenScript(outcome); });
    }
    kfx::HRESULT CloseScript(kfx::KfxReturnValue* result) override {
        return WithOutcome(result, [this](::KfxReturnValue* outcome) { return component_->CloseScript(outcome); });
    }

protected:
    virtual ~ClientBase() = default;

    // The host keeps its own objects; it never reads them back.
    template <class HostObject>
    static kfx::HRESULT NotReadBack(HostObject** data) {
        if (data) *data = nullptr;
        return kfx::HR_E_NOTIMPL;
    }

    template <class HostObject>
    kfx::HRESULT HandOver(HostObject* data, HRESULT (STDMETHODCALLTYPE Component::*put)(IDispatch*)) {
        kfx::ComPtr<IDispatch> object = kfx::ComPtr<IDispatch>::Adopt(data ? automation::AutomationObjectOf(data) : nullptr);
        if (data && !object) return kfx::HR_E_OUTOFMEMORY;
        return static_cast<kfx::HRESULT>((component_.Get()->*put)(object.Get()));
    }

    kfx::ComPtr<Component> component_;

private:
    kfx::Guid iid_;
    std::atomic<std::uint32_t> references_{0};
};

class ReleaseScriptClient final : public ClientBase<kfx::IKfxReleaseScript, ::IKfxReleaseScript> {
public:
    explicit ReleaseScriptClient(::IKfxReleaseScript* component) : ClientBase(component, kfx::IID_IKfxReleaseScript) {}

    kfx::HRESULT ReleaseDoc(kfx::KfxReturnValue* result) override {
        return WithOutcome(result, [this](::KfxReturnValue* outcome) { return component_->ReleaseDoc(outcome); });
    }
    kfx::HRESULT get_DocumentData(kfx::IReleaseData** data) override { return NotReadBack(data); }
    kfx::HRESULT putref_DocumentData(kfx::IReleaseData* data) override {
        return HandOver(data, &::IKfxReleaseScript::putref_DocumentData);
    }
};

class SetupScriptClient final : public ClientBase<kfx::IKfxReleaseSetupScript, ::IKfxReleaseSetupScript> {
public:
    explicit SetupScriptClient(::IKfxReleaseSetupScript* component)
        : ClientBase(component, kfx::IID_IKfxReleaseSetupScript) {}

    kfx::HRESULT RunUI(kfx::KfxReturnValue* result) override {
        return WithOutcome(result, [this](::KfxReturnValue* outcome) { return component_->RunUI(outcome); });
    }
    kfx::HRESULT ActionEvent(kfx::KfxActionValue action, const kfx::Text& strData1, const kfx::Text& strData2,
                             kfx::KfxReturnValue* result) override {
        BSTR first = kfx::automation::NewBstr(strData1);
        BSTR second = kfx::automation::NewBstr(strData2);
        kfx::HRESULT hr = kfx::HR_E_OUTOFMEMORY;
        if (first && second) {
            hr = WithOutcome(result, [&](::KfxReturnValue* outcome) {
                return component_->ActionEvent(static_cast<::KfxActionValue>(action), first, second, outcome);
            });
        }
        SysFreeString(first);
        SysFreeString(second);
        return hr;
    }
    kfx::HRESULT get_SetupData(kfx::IReleaseSetupData** data) override { return NotReadBack(data); }
    kfx::HRESULT putref_SetupData(kfx::IReleaseSetupData* data) override {
        return HandOver(data, &::IKfxReleaseSetupScript::putref_SetupData);
    }
};

template <class Client, class Component>
kfx::HRESULT MakeClient(::IUnknown* object, void** out) {
    Component* component = nullptr;
    const HRESULT hr = object->QueryInterface(__uuidof(Component), reinterpret_cast<void**>(&component));
    if (FAILED(hr)) return static_cast<kfx::HRESULT>(hr);
    const kfx::ComPtr<Component> held = kfx::ComPtr<Component>::Adopt(component);
    Client* client = new (std::nothrow) Client(held.Get());
    if (!client) return kfx::HR_E_OUTOFMEMORY;
    client->AddRef();
    *out = client;
    return kfx::HR_S_OK;
}

}  // namespace

kfx::HRESULT ClientOf(::IUnknown* component, const kfx::Guid& iid, void** object) {
    if (!object) return kfx::HR_E_POINTER;
    *object = nullptr;
    if (!component) return kfx::HR_E_POINTER;
    if (iid == kfx::IID_IKfxReleaseScript) return MakeClient<ReleaseScriptClient, ::IKfxReleaseScript>(component, object);
    if (iid == kfx::IID_IKfxReleaseSetupScript)
        return MakeClient<SetupScriptClient, ::IKfxReleaseSetupScript>(component, object);
    return kfx::HR_E_NOINTERFACE;
}

}  // namespace standin
