// One of the component's classes as the platform's clients reach it: its dual
// interface, with IDispatch answered from the embedded type library, around
// the portable object that does the work; standalone, or aggregated by an
// outer object, which then controls its identity and its lifetime.
#pragma once

#include "host/windows_api.h"

#include <oleauto.h>

#include <new>

#include "module/embedded_type_library_windows.h"

namespace veldmark {

template <class Interface>
class DualObject : public Interface {
public:
    DualObject(const DualObject&) = delete;
    DualObject& operator=(const DualObject&) = delete;

    // IUnknown, delegating to the controlling object.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        return controlling_->QueryInterface(iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return controlling_->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return controlling_->Release(); }

    // IDispatch, from the type library.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = typeInfo_ ? 1 : 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        if (!info) return E_POINTER;
        *info = nullptr;
        if (index != 0 || !typeInfo_) return DISP_E_BADINDEX;
        typeInfo_->AddRef();
        *info = typeInfo_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        return typeInfo_ ? DispGetIDsOfNames(typeInfo_, names, count, ids) : E_UNEXPECTED;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argumentError) override {
        if (!typeInfo_) return E_UNEXPECTED;
        return DispInvoke(static_cast<Interface*>(this), typeInfo_, id, flags, parameters, result, exception,
                          argumentError);
    }

    // Makes an object of the derived class, starts it (`Start` makes its
    // portable object) and hands out the interface asked for. Aggregated,
    // only IUnknown may be asked for.
    template <class Derived>
    static HRESULT Create(::IUnknown* outer, REFIID iid, void** object) {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (outer && !IsEqualIID(iid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
        Derived* created = new (std::nothrow) Derived(outer);
        if (!created) return E_OUTOFMEMORY;
        ::IUnknown* identity = &static_cast<DualObject*>(created)->inner_;
        identity->AddRef();
        DualObject* base = created;
        HRESULT result = base->typeInfo_ ? base->Start() : TYPE_E_CANTLOADLIBRARY;
        if (SUCCEEDED(result)) result = identity->QueryInterface(iid, object);
        identity->Release();
        return result;
    }

protected:
    explicit DualObject(::IUnknown* outer)
        : controlling_(outer ? outer : &inner_), typeInfo_(EmbeddedTypeInfo(__uuidof(Interface))) {}
    virtual ~DualObject() {
        if (typeInfo_) typeInfo_->Release();
    }

private:
    // The object's own identity, which an outer object holds when it aggregates this one.
    class InnerUnknown final : public ::IUnknown {
    public:
        explicit InnerUnknown(DualObject& owner) : owner_(owner) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
            if (!object) return E_POINTER;
            if (IsEqualIID(iid, IID_IUnknown)) {
                *object = static_cast<::IUnknown*>(this);
            } else if (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, __uuidof(Interface))) {
                *object = static_cast<Interface*>(&owner_);
            } else {
                *object = nullptr;
                return E_NOINTERFACE;
            }
            static_cast<::IUnknown*>(*object)->AddRef();
            return S_OK;
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
        ULONG STDMETHODCALLTYPE Release() override {
            const ULONG remaining = --references_;
            if (remaining == 0) delete &owner_;
            return remaining;
        }

    private:
        DualObject& owner_;
        // Plain count: the host drives each object from one thread at a time.
        ULONG references_ = 0;
    };

    virtual HRESULT Start() = 0;

    InnerUnknown inner_{*this};
    ::IUnknown* controlling_;
    ITypeInfo* typeInfo_;
};

}  // namespace veldmark
