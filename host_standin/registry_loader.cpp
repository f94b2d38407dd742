#include "host_standin/registry_loader.h"

#include "host/class_factory.h"

namespace standin {

RegisteredClass FindRegisteredClass(const Registry& registry, const std::string& progId) {
    const auto clsid = registry.Value(progId + "\\CLSID");
    if (!clsid)
        throw ComponentLoadError(HR_REGDB_E_CLASSNOTREG,
                                 progId + " is not registered (run: veldmark register <component library>)");
    RegisteredClass found;
    if (!kfx::GuidFromString(*clsid, found.clsid))
        throw ComponentLoadError(HR_REGDB_E_CLASSNOTREG,
                                 "the registry gives " + progId + " the class identifier \"" + *clsid + "\", which is not one");
    const auto library = registry.Value("CLSID\\" + *clsid + "\\InprocServer32");
    if (!library || library->empty())
        throw ComponentLoadError(HR_REGDB_E_CLASSNOTREG,
                                 progId + " names the class " + *clsid + ", which has no library registered");
    found.library = *library;
    return found;
}

RegistryLoader::~RegistryLoader() {
    for (auto& [file, loaded] : libraries_) {
        // A component still holding objects stays loaded until the process ends.
        if (loaded.canUnloadNow() != kfx::HR_S_OK) loaded.library->KeepLoaded();
    }
}

const RegistryLoader::LoadedLibrary& RegistryLoader::Load(const std::string& file) {
    if (auto found = libraries_.find(file); found != libraries_.end()) return found->second;
    LoadedLibrary loaded{std::make_unique<DynamicLibrary>(file), nullptr, nullptr};
    loaded.getClassObject = loaded.library->EntryPoint<kfx::DllGetClassObjectFunction>("DllGetClassObject");
    loaded.canUnloadNow = loaded.library->EntryPoint<kfx::DllCanUnloadNowFunction>("DllCanUnloadNow");
    return libraries_.emplace(file, std::move(loaded)).first->second;
}

kfx::HRESULT RegistryLoader::CreateInstance(const std::string& progId, const kfx::Guid& iid, void** object) {
    if (!object) return kfx::HR_E_POINTER;
    *object = nullptr;
    RegisteredClass registered;
    kfx::DllGetClassObjectFunction getClassObject = nullptr;
    try {
        if (!registry_) registry_ = Registry::Load(registryFile_);
        registered = FindRegisteredClass(*registry_, progId);
        getClassObject = Load(registered.library).getClassObject;
    } catch (const ComponentLoadError& error) {
        err_ << "veldmark: " << error.what() << '\n';
        return error.Code();
    } catch (const RegistryError& error) {
        err_ << "veldmark: " << error.what() << '\n';
        return HR_REGDB_E_CLASSNOTREG;
    }
    kfx::ComPtr<kfx::IClassFactory> factory;
    kfx::HRESULT hr = getClassObject(registered.clsid, kfx::IID_IClassFactory, reinterpret_cast<void**>(factory.Put()));
    if (kfx::Failed(hr)) return hr;
    if (!factory) return kfx::HR_E_POINTER;
    return factory->CreateInstance(nullptr, iid, object);
}

}  // namespace standin
