// The stand-in host's objects as a Windows component meets them: automation
// objects that answer only through IDispatch, by member name, as the real
// host's do for every interface whose identifier it does not publish. Each
// wraps one of the stand-in's own objects, whose result it passes on: a
// failure arrives as an exception carrying that result.
#pragma once

#include "host/windows_api.h"

#include <oaidl.h>

#include <atomic>
#include <cstdint>
#include <new>
#include <span>
#include <type_traits>

#include "host/com.h"
#include "host/variant.h"

namespace standin::automation {

// One call of a member: its arguments, by declared position, and its result.
class Invocation {
public:
    Invocation(WORD kind, const DISPPARAMS& parameters, VARIANT* result, UINT* argumentError)
        : kind_(kind), parameters_(parameters), result_(result), argumentError_(argumentError) {}

    // A property put: its value is the one argument.
    bool IsPut() const { return (kind_ & DISPATCH_PROPERTYPUT) != 0; }

    // Fails with DISP_E_BADPARAMCOUNT unless exactly `count` arguments came.
    kfx::HRESULT Expect(std::size_t count) const;
    // The argument at a position, converted; DISP_E_TYPEMISMATCH when it
    // cannot be, with the position reported.
    kfx::HRESULT Text(std::size_t position, kfx::Text* out) const;
    kfx::HRESULT Integer(std::size_t position, std::int32_t* out) const;
    kfx::HRESULT Key(std::size_t position, kfx::Variant* out) const;

    // The member's result, when the wrapped call `hr` succeeded: a BSTR, a
    // VT_I4 or an object (VT_DISPATCH, or VT_UNKNOWN for an object that is
    // only to be asked for an interface).
    kfx::HRESULT ReturnText(kfx::HRESULT hr, const kfx::Text& value);
    kfx::HRESULT ReturnInteger(kfx::HRESULT hr, std::int32_t value);
    kfx::HRESULT ReturnObject(kfx::HRESULT hr, ::IUnknown* object, VARTYPE type);

private:
    const VARIANT& Argument(std::size_t position) const;
    kfx::HRESULT Mismatch(std::size_t position, kfx::HRESULT hr) const;

    WORD kind_;
    const DISPPARAMS& parameters_;
    VARIANT* result_;
    UINT* argumentError_;
};

// A member the object answers to, with the kinds of call it takes
// (DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT, DISPATCH_METHOD).
template <class Inner>
struct Member {
    const wchar_t* name;
    WORD kinds;
    kfx::HRESULT (*call)(Inner& inner, Invocation& invocation);
};

// An interface the object offers by identifier, made from what the wrapped
// object answers when asked the same.
struct Offer {
    const kfx::Guid* iid;
    kfx::HRESULT (*make)(kfx::IUnknown* answered, ::IUnknown** out);
};

// The enumerator member of a collection, reached by its reserved identifier.
inline constexpr const wchar_t* kNewEnum = L"_NewEnum";

class ObjectBase : public ::IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override;
    // No type information: a client knows the members by name only.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD kind, DISPPARAMS* parameters, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argumentError) override;

protected:
    explicit ObjectBase(std::span<const Offer> offers) : offers_(offers) {}
    virtual ~ObjectBase() = default;

    virtual std::size_t MemberCount() const = 0;
    virtual const wchar_t* MemberName(std::size_t index) const = 0;
    virtual WORD MemberKinds(std::size_t index) const = 0;
    virtual kfx::HRESULT CallMember(std::size_t index, Invocation& invocation) = 0;
    virtual kfx::IUnknown* Wrapped() const = 0;

private:
    std::span<const Offer> offers_;
    std::atomic<ULONG> references_{0};
};

template <class Inner>
class Object final : public ObjectBase {
public:
    Object(kfx::ComPtr<Inner> inner, std::span<const Member<Inner>> members, std::span<const Offer> offers)
        : ObjectBase(offers), inner_(std::move(inner)), members_(members) {}

private:
    std::size_t MemberCount() const override { return members_.size(); }
    const wchar_t* MemberName(std::size_t index) const override { return members_[index].name; }
    WORD MemberKinds(std::size_t index) const override { return members_[index].kinds; }
    kfx::HRESULT CallMember(std::size_t index, Invocation& invocation) override {
        return members_[index].call(*inner_.Get(), invocation);
    }
    kfx::IUnknown* Wrapped() const override { return inner_.Get(); }

    kfx::ComPtr<Inner> inner_;
    std::span<const Member<Inner>> members_;
};

// A new automation object for a stand-in object, with one reference for the
// caller; null when the object is null or memory runs out.
template <class Inner>
::IDispatch* Wrap(Inner* inner, std::type_identity_t<std::span<const Member<Inner>>> members,
                  std::span<const Offer> offers = {}) {
    if (!inner) return nullptr;
    ::IDispatch* made = new (std::nothrow) Object<Inner>(kfx::ComPtr<Inner>(inner), members, offers);
    if (made) made->AddRef();
    return made;
}

}  // namespace standin::automation
