// A class object as the platform's clients are handed it: the portable class
// object itself, or the platform's object model around it.
#pragma once

#include "host/class_factory.h"

namespace veldmark {

// Hands out the interface `iid` of the class object, with a reference for
// the caller.
kfx::HRESULT HandOutClassObject(kfx::IClassFactory* classObject, const kfx::Guid& iid, void** object);

}  // namespace veldmark
