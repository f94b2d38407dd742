#include "module/class_object.h"

namespace veldmark {

// The host calls the portable class object as it is.
kfx::HRESULT HandOutClassObject(kfx::IClassFactory* classObject, const kfx::Guid& iid, void** object) {
    return classObject->QueryInterface(iid, object);
}

}  // namespace veldmark
