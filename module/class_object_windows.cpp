#include "host/windows_api.h"

#include <unknwn.h>

#include <map>
#include <memory>
#include <mutex>
#include <new>

#include "module/class_object.h"

namespace veldmark {
namespace {

// IClassFactory with the platform's calling convention (stdcall on x86), as
// the face of one portable class object: its references, creation and locks
// are the portable object's.
class ComClassObject final : public ::IClassFactory {
public:
    explicit ComClassObject(kfx::IClassFactory* portable) : portable_(portable) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) return E_NOINTERFACE;
        AddRef();
        *object = static_cast<::IClassFactory*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return portable_->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return portable_->Release(); }
    HRESULT STDMETHODCALLTYPE CreateInstance(::IUnknown* outer, REFIID iid, void** object) override {
        // The classes' creators take the platform's own outer object and identifier.
        return static_cast<HRESULT>(portable_->CreateInstance(reinterpret_cast<kfx::IUnknown*>(outer),
                                                              reinterpret_cast<const kfx::Guid&>(iid), object));
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        return static_cast<HRESULT>(portable_->LockServer(lock != FALSE));
    }

private:
    kfx::IClassFactory* portable_;  // lives until the component unloads
};

// One face per class object, so that a class object keeps its identity;
// the faces go when the component unloads, with the class objects.
std::mutex facesLock;
std::map<kfx::IClassFactory*, std::unique_ptr<ComClassObject>> faces;

}  // namespace

kfx::HRESULT HandOutClassObject(kfx::IClassFactory* classObject, const kfx::Guid& iid, void** object) {
    ComClassObject* face = nullptr;
    {
        std::lock_guard<std::mutex> guard(facesLock);
        std::unique_ptr<ComClassObject>& kept = faces[classObject];
        if (!kept) kept.reset(new (std::nothrow) ComClassObject(classObject));
        face = kept.get();
    }
    if (!face) return kfx::HR_E_OUTOFMEMORY;
    return static_cast<kfx::HRESULT>(face->QueryInterface(reinterpret_cast<REFIID>(iid), object));
}

}  // namespace veldmark
