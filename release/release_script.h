// The release object the host drives for each document.
#pragma once

#include <cstdint>

#include "host/release_script.h"

namespace veldmark {

class releaseScript final : public kfx::IKfxReleaseScript {
public:
    // With an outer object only its inner identity (IID_IUnknown) may be asked for.
    static kfx::HRESULT Create(kfx::IUnknown* outer, const kfx::Guid& iid, void** object);

    kfx::HRESULT QueryInterface(const kfx::Guid& iid, void** object) override;
    std::uint32_t AddRef() override;
    std::uint32_t Release() override;

    kfx::HRESULT OpenScript(kfx::KfxReturnValue* result) override;
    kfx::HRESULT ReleaseDoc(kfx::KfxReturnValue* result) override;
    kfx::HRESULT CloseScript(kfx::KfxReturnValue* result) override;
    kfx::HRESULT get_DocumentData(kfx::IReleaseData** data) override;
    kfx::HRESULT putref_DocumentData(kfx::IReleaseData* data) override;

private:
    // The object's own identity, which an outer object holds when it aggregates this one.
    class InnerUnknown final : public kfx::IUnknown {
    public:
        explicit InnerUnknown(releaseScript& owner) : owner_(owner) {}
        kfx::HRESULT QueryInterface(const kfx::Guid& iid, void** object) override;
        std::uint32_t AddRef() override;
        std::uint32_t Release() override;

    private:
        releaseScript& owner_;
    };

    explicit releaseScript(kfx::IUnknown* outer);
    ~releaseScript();

    InnerUnknown inner_{*this};
    kfx::IUnknown* controlling_;
    std::uint32_t references_ = 0;  // one thread at a time
    kfx::ComPtr<kfx::IReleaseData> documentData_;
};

}  // namespace veldmark
