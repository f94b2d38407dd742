// The component's two creatable classes, in registration order, each with
// its class object once a client has asked for it.
#pragma once

#include <array>
#include <mutex>

#include "host/com.h"
#include "module/class_factory.h"

namespace veldmark {

struct ClassEntry {
    const char* className;
    const char* progId;
    kfx::Guid clsid;
    int registryScript;  // the resource number of its registry script
    CreateInstanceFunction createInstance;
};

const std::array<ClassEntry, 2>& ClassTable();

// The class objects, created on first request and kept until unload.
class ClassObjects {
public:
    ClassObjects() = default;
    ~ClassObjects();
    ClassObjects(const ClassObjects&) = delete;
    ClassObjects& operator=(const ClassObjects&) = delete;

    // HR_CLASS_E_CLASSNOTAVAILABLE for a class identifier not in the table.
    kfx::HRESULT Get(const kfx::Guid& clsid, const kfx::Guid& iid, void** object);

private:
    std::mutex lock_;  // the module's lock: guards the one-time creation
    std::array<CClassFactory*, 2> objects_{};
};

}  // namespace veldmark
