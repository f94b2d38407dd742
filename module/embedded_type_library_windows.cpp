#include "module/embedded_type_library_windows.h"

#include <oleauto.h>

#include <mutex>

#include "host/utf8.h"
#include "module/platform.h"

namespace veldmark {
namespace {

// Loaded on first use; released when the component unloads.
class EmbeddedLibrary {
public:
    ~EmbeddedLibrary() {
        if (library_) library_->Release();
    }

    ITypeInfo* TypeInfo(REFIID iid) {
        std::lock_guard<std::mutex> guard(lock_);
        if (!library_) {
            const std::u16string path = kfx::FromUtf8(platform::ModuleFilePath());
            if (path.empty() ||
                FAILED(LoadTypeLibEx(reinterpret_cast<LPCOLESTR>(path.c_str()), REGKIND_NONE, &library_))) {
                library_ = nullptr;
                return nullptr;
            }
        }
        ITypeInfo* info = nullptr;
        return SUCCEEDED(library_->GetTypeInfoOfGuid(iid, &info)) ? info : nullptr;
    }

private:
    std::mutex lock_;
    ITypeLib* library_ = nullptr;
};

EmbeddedLibrary embeddedLibrary;

}  // namespace

ITypeInfo* EmbeddedTypeInfo(REFIID iid) { return embeddedLibrary.TypeInfo(iid); }

}  // namespace veldmark
