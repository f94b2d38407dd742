// An outer object for aggregation tests: it answers IUnknown itself and
// hands every other interface request to the aggregated inner object.
#pragma once

#include <cstdint>

#include "host/com.h"

namespace testsupport {

class Aggregate final : public kfx::IUnknown {
public:
    kfx::HRESULT QueryInterface(const kfx::Guid& iid, void** object) override {
        if (iid == kfx::IID_IUnknown) {
            *object = static_cast<kfx::IUnknown*>(this);
            AddRef();
            return kfx::HR_S_OK;
        }
        return inner->QueryInterface(iid, object);
    }
    std::uint32_t AddRef() override { return ++references; }
    std::uint32_t Release() override { return --references; }

    std::uint32_t references = 1;
    kfx::IUnknown* inner = nullptr;
};

}  // namespace testsupport
