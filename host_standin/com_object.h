// The shared working of every stand-in host object: reference counting,
// QueryInterface for IUnknown and the object's own interface identifiers,
// and consulting the fault plan before each operation.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "host/com.h"
#include "host_standin/fault_plan.h"

namespace standin {

// How many stand-in host objects exist right now; zero once every reference
// handed out has been released.
std::int64_t LiveHostObjects();

namespace detail {
void CountHostObject(int change);
}

// Derived names itself for call names through `static constexpr const char*
// kObjectName` and must be final: the last Release deletes it as Derived.
// Counts are not atomic: the host drives each object from one thread.
template <class Derived, class Interface, const kfx::Guid&... OwnIids>
class ComObject : public Interface {
public:
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    kfx::HRESULT QueryInterface(const kfx::Guid& iid, void** object) override {
        if (!object) return kfx::HR_E_POINTER;
        *object = nullptr;
        if (kfx::HRESULT hr = Enter("QueryInterface"); kfx::Failed(hr)) return hr;
        if (!(iid == kfx::IID_IUnknown || ((iid == OwnIids) || ...))) return kfx::HR_E_NOINTERFACE;
        AddRef();
        *object = static_cast<Interface*>(this);
        return kfx::HR_S_OK;
    }

    std::uint32_t AddRef() override { return ++references_; }

    std::uint32_t Release() override {
        const std::uint32_t left = --references_;
        if (left == 0) delete static_cast<Derived*>(this);
        return left;
    }

    std::uint32_t References() const { return references_; }

protected:
    explicit ComObject(std::shared_ptr<FaultPlan> plan) : plan_(std::move(plan)) { detail::CountHostObject(+1); }
    ~ComObject() { detail::CountHostObject(-1); }

    // Records the call with the fault plan and answers its planned result.
    kfx::HRESULT Enter(std::string_view operation) const {
        if (!plan_) return kfx::HR_S_OK;
        std::string callName(Derived::kObjectName);
        callName += '.';
        callName += operation;
        return plan_->Consult(callName);
    }

    // A text property read: on failure the text is emptied, as an out text of
    // a failed call is empty.
    kfx::HRESULT ReadText(std::string_view operation, const kfx::Text& value, kfx::Text* out) const {
        const kfx::HRESULT hr = Enter(operation);
        if (!out) return kfx::HR_E_POINTER;
        if (kfx::Failed(hr)) {
            out->clear();
            return hr;
        }
        *out = value;
        return kfx::HR_S_OK;
    }

    // Hands out a counted reference to one of this object's parts.
    template <class Out, class Part>
    kfx::HRESULT HandOut(std::string_view operation, const kfx::ComPtr<Part>& part, Out** out) const {
        const kfx::HRESULT hr = Enter(operation);
        if (!out) return kfx::HR_E_POINTER;
        *out = nullptr;
        if (kfx::Failed(hr)) return hr;
        return HandOutUnchecked(part, out);
    }

    template <class Out, class Part>
    static kfx::HRESULT HandOutUnchecked(const kfx::ComPtr<Part>& part, Out** out) {
        part->AddRef();
        *out = part.Get();
        return kfx::HR_S_OK;
    }

    const std::shared_ptr<FaultPlan>& Plan() const { return plan_; }

private:
    std::shared_ptr<FaultPlan> plan_;
    std::uint32_t references_ = 0;
};

// Creates a host object holding one reference, which the ComPtr owns.
template <class T, class... Args>
kfx::ComPtr<T> MakeHostObject(Args&&... args) {
    return kfx::ComPtr<T>(new T(std::forward<Args>(args)...));
}

}  // namespace standin
