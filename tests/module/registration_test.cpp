#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/class_factory.h"
#include "host/release_script.h"
#include "host_standin/registry.h"
#include "module/identifiers.h"
#include "tests/module/loaded_component.h"

namespace veldmark {
namespace {

std::string FileText(const std::filesystem::path& file) {
    std::ifstream stream(file);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

class RegistrationTest : public ::testing::Test {
protected:
    kfx::HRESULT Register() { return component.Find<kfx::DllRegisterServerFunction>("DllRegisterServer")(); }
    kfx::HRESULT Unregister() { return component.Find<kfx::DllUnregisterServerFunction>("DllUnregisterServer")(); }
    standin::Registry Read() { return standin::Registry::Load(registry.File()); }

    TemporaryRegistry registry;
    LoadedComponent component;
};

struct RegisteredClass {
    const char* progId;
    kfx::Guid clsid;
};

const RegisteredClass kClasses[] = {
    {"Kessarin.BrinmoorExportConnector", CLSID_BrinmoorExportConnector},
    {"Kessarin.TarvelSetupScript", CLSID_TarvelSetupScript},
};

TEST_F(RegistrationTest, WritesBothClassesTheAppIdAndTheTypeLibrary) {
    ASSERT_EQ(Register(), kfx::HR_S_OK);
    const standin::Registry written = Read();
    const std::string library = std::filesystem::canonical(KESSARIN_LIBRARY).string();
    const std::string appId = kfx::GuidToString(APPID_Kessarin);
    for (const RegisteredClass& registered : kClasses) {
        SCOPED_TRACE(registered.progId);
        const std::string clsid = kfx::GuidToString(registered.clsid);
        const std::string key = "CLSID\\" + clsid;
        EXPECT_EQ(written.Value(std::string(registered.progId) + "\\CLSID"), clsid);
        EXPECT_EQ(written.Value(key), registered.progId);
        EXPECT_EQ(written.Value(key + "\\ProgID"), registered.progId);
        EXPECT_NE(written.Find(key + "\\Programmable"), nullptr);
        EXPECT_EQ(written.Value(key + "\\InprocServer32"), library);
        EXPECT_EQ(written.Value(key + "\\InprocServer32", "ThreadingModel"), "Both");
        EXPECT_EQ(written.Value(key, "AppID"), appId);
        EXPECT_EQ(written.Value(key + "\\TypeLib"), kfx::GuidToString(LIBID_Kessarin));
    }
    EXPECT_EQ(written.Value("AppID\\" + appId), "Kessarin");
    EXPECT_EQ(written.Value("AppID\\Kessarin.DLL", "AppID"), appId);
    const std::string typeLibrary = "TypeLib\\" + kfx::GuidToString(LIBID_Kessarin) + "\\1.0";
    EXPECT_EQ(written.Value(typeLibrary), "Kessarin");
    EXPECT_EQ(written.Value(typeLibrary + "\\409\\linux"), library);
    EXPECT_EQ(written.Value("Interface\\" + kfx::GuidToString(kfx::IID_IKfxReleaseScript)), "IKfxReleaseScript");
    EXPECT_EQ(written.Value("Interface\\" + kfx::GuidToString(kfx::IID_IKfxReleaseSetupScript)),
              "IKfxReleaseSetupScript");
}

TEST_F(RegistrationTest, RegisteringTwiceLeavesOneSetOfKeys) {
    ASSERT_EQ(Register(), kfx::HR_S_OK);
    const std::string once = FileText(registry.File());
    // A stale subkey under a class key goes when the class key is written afresh.
    standin::Registry stale = Read();
    stale.Create("CLSID\\" + kfx::GuidToString(CLSID_TarvelSetupScript) + "\\Stale");
    stale.Save(registry.File());
    ASSERT_EQ(Register(), kfx::HR_S_OK);
    EXPECT_EQ(FileText(registry.File()), once);
}

TEST_F(RegistrationTest, UnregisteringRemovesTheComponentAndKeepsSharedKeys) {
    standin::Registry other;
    other.Create("CLSID\\{00000000-0000-0000-0000-000000000001}").values[""] = "Other.Component";
    other.Save(registry.File());
    ASSERT_EQ(Register(), kfx::HR_S_OK);
    ASSERT_EQ(Unregister(), kfx::HR_S_OK);

    const standin::Registry left = Read();
    ASSERT_NE(left.Find("CLSID"), nullptr);
    ASSERT_NE(left.Find("AppID"), nullptr);
    EXPECT_EQ(left.Find("AppID")->subkeys.size(), 0u);
    EXPECT_EQ(left.Find("CLSID")->subkeys.size(), 1u) << "another component's class stays";
    for (const RegisteredClass& registered : kClasses) EXPECT_EQ(left.Find(registered.progId), nullptr);
    EXPECT_EQ(left.Find("TypeLib\\" + kfx::GuidToString(LIBID_Kessarin)), nullptr);
    EXPECT_EQ(left.Find("Interface\\" + kfx::GuidToString(kfx::IID_IKfxReleaseScript)), nullptr);
}

TEST_F(RegistrationTest, UnreadableRegistryFailsAndIsLeftAlone) {
    {
        std::ofstream broken(registry.File());
        broken << "{ not json";
    }
    EXPECT_TRUE(kfx::Failed(Register()));
    EXPECT_EQ(FileText(registry.File()), "{ not json");
}

}  // namespace
}  // namespace veldmark
