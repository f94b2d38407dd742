#include "module/com_script_objects_windows.h"

#include "host/windows_api.h"

#include <memory>
#include <new>

#include "kessarin_h.h"

#include "host/late_bound_host_windows.h"
#include "host/release_script.h"
#include "module/dual_object_windows.h"
#include "release/create_release_script.h"
#include "setup/setup_script.h"
#include "setup/win32/win32_settings_sheet_runner.h"

namespace veldmark {
namespace {

// The portable object's outcome, in the type library's type.
template <class Call>
HRESULT WithOutcome(KfxReturnValue* result, Call call) {
    if (!result) return E_POINTER;
    kfx::KfxReturnValue outcome = kfx::KFX_REL_ERROR;
    const kfx::HRESULT hr = call(&outcome);
    *result = static_cast<KfxReturnValue>(outcome);
    return static_cast<HRESULT>(hr);
}

kfx::Text TextOf(BSTR text) {
    return text ? kfx::Text(reinterpret_cast<const char16_t*>(text), SysStringLen(text)) : kfx::Text();
}

// What both classes do alike: OpenScript and CloseScript go to the portable
// object, and the host's object handed to their property is kept, with a
// reference, until the next one or the end, while the portable object gets
// it late-bound.
template <class Interface, class Portable>
class ScriptObject : public DualObject<Interface> {
public:
    HRESULT STDMETHODCALLTYPE OpenScript(KfxReturnValue* result) override {
        return WithOutcome(result, [this](kfx::KfxReturnValue* outcome) { return script_->OpenScript(outcome); });
    }
    HRESULT STDMETHODCALLTYPE CloseScript(KfxReturnValue* result) override {
        return WithOutcome(result, [this](kfx::KfxReturnValue* outcome) { return script_->CloseScript(outcome); });
    }

protected:
    explicit ScriptObject(::IUnknown* outer) : DualObject<Interface>(outer) {}

    HRESULT GetHostObject(IDispatch** object) const {
        if (!object) return E_POINTER;
        *object = kfx::ComPtr<IDispatch>(hostObject_).Detach();
        return S_OK;
    }
    // `lateBound` makes the host interface the portable object takes.
    template <class HostInterface>
    HRESULT SetHostObject(IDispatch* object, kfx::ComPtr<HostInterface> (*lateBound)(IDispatch*),
                          kfx::HRESULT (Portable::*put)(HostInterface*)) {
        kfx::ComPtr<HostInterface> reached = lateBound(object);
        if (object && !reached) return E_OUTOFMEMORY;
        const kfx::HRESULT hr = (script_.Get()->*put)(reached.Get());
        if (kfx::Failed(hr)) return static_cast<HRESULT>(hr);
        hostObject_ = kfx::ComPtr<IDispatch>(object);
        return S_OK;
    }

    kfx::ComPtr<Portable> script_;
    kfx::ComPtr<IDispatch> hostObject_;
};

class ComReleaseScript final : public ScriptObject<IKfxReleaseScript, kfx::IKfxReleaseScript> {
public:
    explicit ComReleaseScript(::IUnknown* outer) : ScriptObject(outer) {}

    HRESULT STDMETHODCALLTYPE ReleaseDoc(KfxReturnValue* result) override {
        return WithOutcome(result, [this](kfx::KfxReturnValue* outcome) { return script_->ReleaseDoc(outcome); });
    }
    HRESULT STDMETHODCALLTYPE get_DocumentData(IDispatch** data) override { return GetHostObject(data); }
    HRESULT STDMETHODCALLTYPE putref_DocumentData(IDispatch* data) override {
        return SetHostObject(data, kfx::late_bound::ReleaseDataOf, &kfx::IKfxReleaseScript::putref_DocumentData);
    }

private:
    HRESULT Start() override {
        return CreateReleaseScript(nullptr, kfx::IID_IKfxReleaseScript, reinterpret_cast<void**>(script_.Put()));
    }
};

class ComSetupScript final : public ScriptObject<IKfxReleaseSetupScript, kfx::IKfxReleaseSetupScript> {
public:
    explicit ComSetupScript(::IUnknown* outer) : ScriptObject(outer) {}

    HRESULT STDMETHODCALLTYPE RunUI(KfxReturnValue* result) override {
        return WithOutcome(result, [this](kfx::KfxReturnValue* outcome) { return script_->RunUI(outcome); });
    }
    HRESULT STDMETHODCALLTYPE ActionEvent(KfxActionValue action, BSTR strData1, BSTR strData2,
                                          KfxReturnValue* result) override {
        return WithOutcome(result, [&](kfx::KfxReturnValue* outcome) {
            return script_->ActionEvent(static_cast<kfx::KfxActionValue>(action), TextOf(strData1), TextOf(strData2),
                                        outcome);
        });
    }
    HRESULT STDMETHODCALLTYPE get_SetupData(IDispatch** data) override { return GetHostObject(data); }
    HRESULT STDMETHODCALLTYPE putref_SetupData(IDispatch* data) override {
        return SetHostObject(data, kfx::late_bound::ReleaseSetupDataOf, &kfx::IKfxReleaseSetupScript::putref_SetupData);
    }

private:
    HRESULT Start() override {
        std::unique_ptr<SettingsSheetRunner> runner(new (std::nothrow) Win32SettingsSheetRunner);
        if (!runner) return E_OUTOFMEMORY;
        return TarvelSetupScript::Create(nullptr, kfx::IID_IKfxReleaseSetupScript,
                                         reinterpret_cast<void**>(script_.Put()), std::move(runner));
    }
};

}  // namespace

kfx::HRESULT CreateComReleaseScript(kfx::IUnknown* outer, const kfx::Guid& iid, void** object) {
    return DualObject<IKfxReleaseScript>::Create<ComReleaseScript>(reinterpret_cast<::IUnknown*>(outer),
                                                                   reinterpret_cast<REFIID>(iid), object);
}

kfx::HRESULT CreateComSetupScript(kfx::IUnknown* outer, const kfx::Guid& iid, void** object) {
    return DualObject<IKfxReleaseSetupScript>::Create<ComSetupScript>(reinterpret_cast<::IUnknown*>(outer),
                                                                      reinterpret_cast<REFIID>(iid), object);
}

}  // namespace veldmark
