// The class object of one creatable class: creates plain or aggregated
// instances and holds server locks.
#pragma once

#include <atomic>
#include <cstdint>

#include "host/class_factory.h"

namespace veldmark {

using CreateInstanceFunction = kfx::HRESULT (*)(kfx::IUnknown* outer, const kfx::Guid& iid, void** object);

class CClassFactory final : public kfx::IClassFactory {
public:
    // Hands out the new class object with one reference, the module's own.
    static CClassFactory* Create(CreateInstanceFunction createInstance);

    kfx::HRESULT QueryInterface(const kfx::Guid& iid, void** object) override;
    // Every reference beyond the module's own keeps the component loaded.
    std::uint32_t AddRef() override;
    std::uint32_t Release() override;

    kfx::HRESULT CreateInstance(kfx::IUnknown* outer, const kfx::Guid& iid, void** object) override;
    kfx::HRESULT LockServer(bool lock) override;

private:
    explicit CClassFactory(CreateInstanceFunction createInstance) : createInstance_(createInstance) {}
    ~CClassFactory() = default;

    CreateInstanceFunction createInstance_;
    // Atomic: a class object is shared by every thread of the host.
    std::atomic<std::uint32_t> references_{1};
};

}  // namespace veldmark
