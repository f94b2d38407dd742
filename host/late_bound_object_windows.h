// What every late-bound stand-in for a host object shares: its own reference
// count, the host's automation object it calls by name, and the making of
// the next one from an object the host hands out.
#pragma once

#include "host/windows_api.h"

#include <oaidl.h>

#include <atomic>
#include <new>

#include "host/com.h"
#include "host/late_bound_call_windows.h"
#include "host/variant.h"

namespace kfx::late_bound {

// Counting and identity; the interfaces answered are IUnknown and `Iids`.
template <class Interface, const Guid&... Iids>
class Counted : public Interface {
public:
    Counted() = default;
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;

    HRESULT QueryInterface(const Guid& iid, void** object) override {
        if (!object) return HR_E_POINTER;
        *object = nullptr;
        if (!(iid == IID_IUnknown || ((iid == Iids) || ...))) return HR_E_NOINTERFACE;
        AddRef();
        *object = static_cast<Interface*>(this);
        return HR_S_OK;
    }
    std::uint32_t AddRef() override { return ++references_; }
    std::uint32_t Release() override {
        const std::uint32_t left = --references_;
        if (left == 0) delete this;
        return left;
    }

protected:
    virtual ~Counted() = default;

private:
    std::atomic<std::uint32_t> references_{0};
};

// A new T made from `from`, with one reference, handed out as Interface.
template <class T, class Interface, class From>
HRESULT Make(From* from, void** out) {
    T* made = new (std::nothrow) T(from);
    if (!made) return HR_E_OUTOFMEMORY;
    made->AddRef();
    *out = static_cast<Interface*>(made);
    return HR_S_OK;
}

// Hands out a new late-bound object of type T for what the host handed out;
// a success without an object stays one, for the caller to judge.
template <class T, class Out>
HRESULT HandOut(HRESULT hr, ::IUnknown* answered, Out** out) {
    ComPtr<::IUnknown> held = ComPtr<::IUnknown>::Adopt(answered);
    if (!out) return HR_E_POINTER;
    *out = nullptr;
    if (Failed(hr) || !held) return hr;
    ComPtr<IDispatch> dispatch;
    const ::HRESULT asked = held->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.Put()));
    if (FAILED(asked)) return static_cast<HRESULT>(asked);
    return Make<T, Out>(dispatch.Get(), reinterpret_cast<void**>(out));
}

// A host object reached by name. It answers only to its identity: the
// component asks the host's own objects, never these, for further interfaces.
template <class Interface>
class Object : public Counted<Interface> {
public:
    explicit Object(IDispatch* object) : object_(object) {}

protected:
    Caller Host() const { return Caller(object_.Get()); }

    // An object property, handed out as a late-bound T.
    template <class T, class Out>
    HRESULT Part(const wchar_t* name, Out** out) const {
        Arguments none;
        ::IUnknown* answered = nullptr;
        const HRESULT hr = Host().GetObject(name, none, &answered);
        return HandOut<T>(hr, answered, out);
    }
    // A collection's item by key, handed out as a late-bound T.
    template <class T, class Out>
    HRESULT ItemOf(const Variant& key, Out** out) const {
        Arguments arguments;
        arguments.Add(key);
        ::IUnknown* answered = nullptr;
        const HRESULT hr = Host().GetObject(L"Item", arguments, &answered);
        return HandOut<T>(hr, answered, out);
    }

private:
    ComPtr<IDispatch> object_;
};

// The connection settings that the release data and the setup data both carry.
template <class Interface>
class WithConnection : public Object<Interface> {
public:
    using Object<Interface>::Object;
    HRESULT get_ConnectString(Text* text) override { return this->Host().GetText(L"ConnectString", text); }
    HRESULT get_UserName(Text* text) override { return this->Host().GetText(L"UserName", text); }
    HRESULT get_Password(Text* text) override { return this->Host().GetText(L"Password", text); }
};

// A new late-bound T for the host's object, held as Interface; null when the
// object is null or memory runs out.
template <class T, class Interface>
ComPtr<Interface> Reach(IDispatch* object) {
    if (!object) return {};
    return ComPtr<Interface>(new (std::nothrow) T(object));
}

// A collection with a Count and items of the late-bound type T.
template <class Interface, class T>
class Collection : public Object<Interface> {
public:
    using Object<Interface>::Object;
    HRESULT get_Count(std::int32_t* count) override { return this->Host().GetInteger(L"Count", count); }
    template <class Out>
    HRESULT Item(const Variant& key, Out** item) {
        return this->template ItemOf<T>(key, item);
    }
};

// An object the host handed out to be asked for one of its interfaces by
// identifier: the question goes to the host's object, and what it answers
// is called late-bound through that interface, a dual one.
class Askable final : public Counted<kfx::IUnknown> {
public:
    // Makes the late-bound object for an interface the host's object offered.
    using Answer = HRESULT (*)(const Guid& iid, ::IUnknown* offered, void** out);

    Askable(::IUnknown* object, Answer answer) : object_(object), answer_(answer) {}

    HRESULT QueryInterface(const Guid& iid, void** object) override;

private:
    ComPtr<::IUnknown> object_;
    Answer answer_;
};

// Hands out an Askable for what the host handed out.
HRESULT HandOutAskable(HRESULT hr, ::IUnknown* answered, Askable::Answer answer, kfx::IUnknown** out);

}  // namespace kfx::late_bound
