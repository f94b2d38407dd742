// A release script and a setup script that behave as the tests tell them,
// and a loader that hands them out.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/release_script.h"
#include "host_standin/component_loader.h"

namespace standin::testing {

// Counted and answering QueryInterface like a component object.
template <class Interface>
class FakeObject : public Interface {
public:
    kfx::HRESULT QueryInterface(const kfx::Guid& iid, void** object) override {
        if (!object) return kfx::HR_E_POINTER;
        *object = nullptr;
        if (!(iid == kfx::IID_IUnknown || iid == ownIid_)) return kfx::HR_E_NOINTERFACE;
        AddRef();
        *object = static_cast<Interface*>(this);
        return kfx::HR_S_OK;
    }
    std::uint32_t AddRef() override { return ++references_; }
    std::uint32_t Release() override {
        const std::uint32_t left = --references_;
        if (left == 0) delete this;
        return left;
    }

protected:
    explicit FakeObject(const kfx::Guid& ownIid) : ownIid_(ownIid) {}
    virtual ~FakeObject() = default;

private:
    kfx::Guid ownIid_;
    std::uint32_t references_ = 0;
};

class FakeReleaseScript final : public FakeObject<kfx::IKfxReleaseScript> {
public:
    using ReleaseBehaviour = std::function<kfx::KfxReturnValue(kfx::IReleaseData*)>;

    FakeReleaseScript(std::vector<std::string>& calls, ReleaseBehaviour behaviour)
        : FakeObject(kfx::IID_IKfxReleaseScript), calls_(calls), behaviour_(std::move(behaviour)) {}

    kfx::KfxReturnValue openResult = kfx::KFX_REL_SUCCESS;

    kfx::HRESULT OpenScript(kfx::KfxReturnValue* result) override {
        calls_.push_back("OpenScript");
        *result = openResult;
        return kfx::HR_S_OK;
    }
    kfx::HRESULT ReleaseDoc(kfx::KfxReturnValue* result) override {
        calls_.push_back("ReleaseDoc");
        *result = behaviour_(data_.Get());
        return kfx::HR_S_OK;
    }
    kfx::HRESULT CloseScript(kfx::KfxReturnValue* result) override {
        calls_.push_back("CloseScript");
        data_.Reset();
        *result = kfx::KFX_REL_SUCCESS;
        return kfx::HR_S_OK;
    }
    kfx::HRESULT get_DocumentData(kfx::IReleaseData** data) override {
        *data = data_.Get();
        if (*data) (*data)->AddRef();
        return kfx::HR_S_OK;
    }
    kfx::HRESULT putref_DocumentData(kfx::IReleaseData* data) override {
        calls_.push_back("putref_DocumentData");
        data_ = kfx::ComPtr<kfx::IReleaseData>(data);
        return kfx::HR_S_OK;
    }

private:
    std::vector<std::string>& calls_;
    ReleaseBehaviour behaviour_;
    kfx::ComPtr<kfx::IReleaseData> data_;
};

class FakeSetupScript final : public FakeObject<kfx::IKfxReleaseSetupScript> {
public:
    using RunBehaviour = std::function<void(kfx::IReleaseSetupData*)>;

    FakeSetupScript(std::vector<std::string>& calls, RunBehaviour behaviour)
        : FakeObject(kfx::IID_IKfxReleaseSetupScript), calls_(calls), behaviour_(std::move(behaviour)) {}

    kfx::HRESULT OpenScript(kfx::KfxReturnValue* result) override { return Answer("OpenScript", result); }
    kfx::HRESULT RunUI(kfx::KfxReturnValue* result) override {
        behaviour_(data_.Get());
        return Answer("RunUI", result);
    }
    kfx::HRESULT CloseScript(kfx::KfxReturnValue* result) override { return Answer("CloseScript", result); }
    kfx::HRESULT ActionEvent(kfx::KfxActionValue, const kfx::Text&, const kfx::Text&,
                             kfx::KfxReturnValue* result) override {
        return Answer("ActionEvent", result);
    }
    kfx::HRESULT get_SetupData(kfx::IReleaseSetupData** data) override {
        *data = data_.Get();
        if (*data) (*data)->AddRef();
        return kfx::HR_S_OK;
    }
    kfx::HRESULT putref_SetupData(kfx::IReleaseSetupData* data) override {
        calls_.push_back("putref_SetupData");
        data_ = kfx::ComPtr<kfx::IReleaseSetupData>(data);
        return kfx::HR_S_OK;
    }

private:
    kfx::HRESULT Answer(const char* call, kfx::KfxReturnValue* result) {
        calls_.push_back(call);
        *result = kfx::KFX_REL_SUCCESS;
        return kfx::HR_S_OK;
    }

    std::vector<std::string>& calls_;
    RunBehaviour behaviour_;
    kfx::ComPtr<kfx::IReleaseSetupData> data_;
};

// Hands out one new object per request, made by the factory of its ProgID.
class FakeLoader final : public ComponentLoader {
public:
    std::function<kfx::IUnknown*()> releaseScript;
    std::function<kfx::IUnknown*()> setupScript;
    std::vector<std::string> requested;

    kfx::HRESULT CreateInstance(const std::string& progId, const kfx::Guid& iid, void** object) override {
        requested.push_back(progId);
        *object = nullptr;
        const auto& factory = progId == kReleaseScriptProgId ? releaseScript
                              : progId == kSetupScriptProgId ? setupScript
                                                             : nullptr;
        if (!factory) return kfx::HR_CLASS_E_CLASSNOTAVAILABLE;
        kfx::IUnknown* made = factory();
        made->AddRef();
        const kfx::HRESULT hr = made->QueryInterface(iid, object);
        made->Release();
        return hr;
    }
};

}  // namespace standin::testing
