#include <gtest/gtest.h>

#include <sstream>

#include "host/release_script.h"
#include "host_standin/registry_loader.h"
#include "module/identifiers.h"
#include "tests/module/loaded_component.h"

namespace standin {
namespace {

class RegistryLoaderTest : public ::testing::Test {
protected:
    // Registers the classes by hand, with `library` as their server.
    void RegisterWith(const std::string& library) {
        Registry registry;
        for (const auto& [progId, clsid] :
             {std::pair{kReleaseScriptProgId, veldmark::CLSID_BrinmoorExportConnector},
              std::pair{kSetupScriptProgId, veldmark::CLSID_TarvelSetupScript}}) {
            registry.Create(std::string(progId) + "\\CLSID").values[""] = kfx::GuidToString(clsid);
            registry.Create("CLSID\\" + kfx::GuidToString(clsid) + "\\InprocServer32").values[""] = library;
        }
        registry.Save(file.File());
    }

    kfx::HRESULT Create(const char* progId, const kfx::Guid& iid, kfx::ComPtr<kfx::IUnknown>& object) {
        return CreateComponent(loader, progId, iid, object);
    }

    veldmark::TemporaryRegistry file;
    std::ostringstream err;
    RegistryLoader loader{file.File(), err};
};

TEST_F(RegistryLoaderTest, CreatesBothClassesFromTheRegisteredLibrary) {
    RegisterWith(KESSARIN_LIBRARY);
    kfx::ComPtr<kfx::IUnknown> release, setup;
    EXPECT_EQ(Create(kReleaseScriptProgId, kfx::IID_IKfxReleaseScript, release), kfx::HR_S_OK);
    EXPECT_EQ(Create(kSetupScriptProgId, kfx::IID_IKfxReleaseSetupScript, setup), kfx::HR_S_OK);
    EXPECT_TRUE(release && setup);
    EXPECT_EQ(err.str(), "");
}

struct LoadFailure {
    const char* name;
    const char* library;  // null: nothing registered
    kfx::HRESULT result;
    const char* message;
};

class RegistryLoaderFailureTest : public RegistryLoaderTest, public ::testing::WithParamInterface<LoadFailure> {};

TEST_P(RegistryLoaderFailureTest, SaysWhatIsMissing) {
    if (GetParam().library) RegisterWith(GetParam().library);
    kfx::ComPtr<kfx::IUnknown> object;
    EXPECT_EQ(Create(kReleaseScriptProgId, kfx::IID_IKfxReleaseScript, object), GetParam().result);
    EXPECT_FALSE(object);
    EXPECT_NE(err.str().find(GetParam().message), std::string::npos) << err.str();
}

INSTANTIATE_TEST_SUITE_P(
    Failures, RegistryLoaderFailureTest,
    ::testing::Values(
        LoadFailure{"Unregistered", nullptr, HR_REGDB_E_CLASSNOTREG, "Kessarin.BrinmoorExportConnector is not registered"},
        LoadFailure{"MissingLibrary", "/nonexistent/libkessarin.so", HR_E_MODULE_NOT_FOUND,
                    "/nonexistent/libkessarin.so cannot be loaded"},
        LoadFailure{"NotAComponent", "libz.so.1", HR_E_PROC_NOT_FOUND, "does not export DllGetClassObject"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace standin
