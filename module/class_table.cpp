#include "module/class_table.h"

#include "module/class_object.h"

#include "module/class_creators.h"
#include "module/identifiers.h"
#include "module/registry_script_text.h"

namespace veldmark {

const std::array<ClassEntry, 2>& ClassTable() {
    static const std::array<ClassEntry, 2> table{{
        {"releaseScript", "Kessarin.BrinmoorExportConnector", CLSID_BrinmoorExportConnector, kReleaseClassScript,
         ReleaseClassCreator()},
        {"TarvelSetupScript", "Kessarin.TarvelSetupScript", CLSID_TarvelSetupScript, kSetupClassScript,
         SetupClassCreator()},
    }};
    return table;
}

ClassObjects::~ClassObjects() {
    for (CClassFactory* object : objects_)
        if (object) object->Release();
}

kfx::HRESULT ClassObjects::Get(const kfx::Guid& clsid, const kfx::Guid& iid, void** object) {
    const auto& table = ClassTable();
    for (std::size_t index = 0; index < table.size(); ++index) {
        if (table[index].clsid != clsid) continue;
        CClassFactory* classObject = nullptr;
        {
            std::lock_guard<std::mutex> guard(lock_);
            if (!objects_[index]) objects_[index] = CClassFactory::Create(table[index].createInstance);
            classObject = objects_[index];
        }
        if (!classObject) return kfx::HR_E_OUTOFMEMORY;
        return HandOutClassObject(classObject, iid, object);
    }
    return kfx::HR_CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace veldmark
