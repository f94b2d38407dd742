#include "tools/setup_command.h"

#include <optional>

#include "host/release_script.h"
#include "host_standin/document_class_file.h"
#include "host_standin/release_setup_data.h"
#include "host_standin/store_error.h"
#include "tools/status_text.h"

namespace standin {
namespace {

// Runs one script operation; false and a message when it fails.
bool Call(const char* operation, kfx::IKfxReleaseSetupScript* script,
          kfx::HRESULT (kfx::IKfxReleaseSetupScript::*call)(kfx::KfxReturnValue*), const CommandStreams& streams) {
    kfx::KfxReturnValue result = kfx::KFX_REL_ERROR;
    const kfx::HRESULT hr = (script->*call)(&result);
    if (kfx::Succeeded(hr) && result == kfx::KFX_REL_SUCCESS) return true;
    streams.err << "veldmark: " << operation << ' '
                << (kfx::Failed(hr) ? "failed with " + StatusText(hr) : "answered " + ReturnValueText(result))
                << '\n';
    return false;
}

}  // namespace

int RunSetup(const std::filesystem::path& documentClassFile, ComponentLoader& loader, const CommandStreams& streams) {
    std::optional<DocumentClass> documentClass;
    try {
        documentClass = LoadDocumentClass(documentClassFile);
    } catch (const StoreError& error) {
        streams.err << "veldmark: " << error.what() << '\n';
        return kExitNothingDone;
    }
    auto data = MakeHostObject<ReleaseSetupData>(nullptr, std::move(*documentClass),
                                                 [documentClassFile](const DocumentClass& edited) {
                                                     SaveDocumentClass(documentClassFile, edited);
                                                 });
    kfx::ComPtr<kfx::IKfxReleaseSetupScript> script;
    if (kfx::HRESULT hr = CreateComponent(loader, kSetupScriptProgId, kfx::IID_IKfxReleaseSetupScript, script);
        kfx::Failed(hr)) {
        streams.err << "veldmark: cannot create " << kSetupScriptProgId << ": " << StatusText(hr) << '\n';
        return kExitNothingDone;
    }
    if (kfx::HRESULT hr = script->putref_SetupData(data.Get()); kfx::Failed(hr)) {
        streams.err << "veldmark: SetupData failed with " << StatusText(hr) << '\n';
        return kExitNothingDone;
    }
    // As the real host: no sheet when OpenScript fails, CloseScript whenever it succeeded.
    bool ranCleanly = Call("OpenScript", script.Get(), &kfx::IKfxReleaseSetupScript::OpenScript, streams);
    if (ranCleanly) {
        ranCleanly = Call("RunUI", script.Get(), &kfx::IKfxReleaseSetupScript::RunUI, streams);
        ranCleanly = Call("CloseScript", script.Get(), &kfx::IKfxReleaseSetupScript::CloseScript, streams) &&
                     ranCleanly;
    }
    script.Reset();
    if (!data->ApplyFailure().empty()) {
        streams.err << "veldmark: the settings were not saved: " << data->ApplyFailure() << '\n';
        return kExitSomeFailed;
    }
    streams.out << (data->AppliedCount() > 0 ? "saved" : "cancelled") << '\n';
    return ranCleanly ? kExitSuccess : kExitSomeFailed;
}

}  // namespace standin
