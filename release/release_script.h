// The release object the host drives for each document.
#pragma once

#include <cstdint>

#include "host/release_script.h"

namespace veldmark {

class releaseScript final : public kfx::IKfxReleaseScript {
public:
    releaseScript() = default;

    kfx::HRESULT QueryInterface(const kfx::Guid& iid, void** object) override;
    std::uint32_t AddRef() override;
    std::uint32_t Release() override;

    kfx::HRESULT OpenScript(kfx::KfxReturnValue* result) override;
    kfx::HRESULT ReleaseDoc(kfx::KfxReturnValue* result) override;
    kfx::HRESULT CloseScript(kfx::KfxReturnValue* result) override;
    kfx::HRESULT get_DocumentData(kfx::IReleaseData** data) override;
    kfx::HRESULT putref_DocumentData(kfx::IReleaseData* data) override;

private:
    ~releaseScript() = default;

    std::uint32_t references_ = 0;  // one thread at a time
    kfx::ComPtr<kfx::IReleaseData> documentData_;
};

}  // namespace veldmark
