#include <gtest/gtest.h>

#include "host/release_script.h"
#include "module/identifiers.h"
#include "tests/module/loaded_component.h"
#include "tests/support/outer_object.h"

namespace veldmark {
namespace {

struct CreatableClass {
    const char* name;
    kfx::Guid clsid;
    kfx::Guid iid;
};

const CreatableClass kClasses[] = {
    {"release", CLSID_BrinmoorExportConnector, kfx::IID_IKfxReleaseScript},
    {"setup", CLSID_TarvelSetupScript, kfx::IID_IKfxReleaseSetupScript},
};

class EntryPointsTest : public ::testing::TestWithParam<CreatableClass> {
protected:
    kfx::ComPtr<kfx::IClassFactory> ClassObject() {
        kfx::ComPtr<kfx::IClassFactory> factory;
        EXPECT_EQ(component.GetClassObject()(GetParam().clsid, kfx::IID_IClassFactory,
                                             reinterpret_cast<void**>(factory.Put())),
                  kfx::HR_S_OK);
        return factory;
    }

    LoadedComponent component;
};

TEST(EntryPoints, AllFourAreExported) {
    LoadedComponent component;
    for (const char* name : {"DllGetClassObject", "DllCanUnloadNow", "DllRegisterServer", "DllUnregisterServer"})
        EXPECT_NE(component.Find<void*>(name), nullptr) << name;
}

TEST(EntryPoints, UnknownClassIsNotAvailableAndClearsThePlace) {
    LoadedComponent component;
    const kfx::Guid unknown{0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
    void* object = &object;
    EXPECT_EQ(component.GetClassObject()(unknown, kfx::IID_IClassFactory, &object), kfx::HR_CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
}

TEST(EntryPoints, MissingPlaceIsAPointerError) {
    LoadedComponent component;
    EXPECT_EQ(component.GetClassObject()(CLSID_BrinmoorExportConnector, kfx::IID_IClassFactory, nullptr),
              kfx::HR_E_POINTER);
}

TEST(EntryPoints, NothingLiveLetsTheLibraryUnload) {
    LoadedComponent component;
    EXPECT_EQ(component.CanUnloadNow()(), kfx::HR_S_OK);
}

TEST_P(EntryPointsTest, TwoRequestsGiveTheSameClassObject) {
    auto first = ClassObject();
    auto second = ClassObject();
    ASSERT_TRUE(first);
    EXPECT_EQ(first.Get(), second.Get());
}

TEST_P(EntryPointsTest, HeldClassObjectKeepsTheLibraryLoaded) {
    auto factory = ClassObject();
    EXPECT_EQ(component.CanUnloadNow()(), kfx::HR_S_FALSE);
    factory.Reset();
    EXPECT_EQ(component.CanUnloadNow()(), kfx::HR_S_OK);
}

TEST_P(EntryPointsTest, LiveInstanceKeepsTheLibraryLoaded) {
    auto factory = ClassObject();
    kfx::ComPtr<kfx::IUnknown> instance;
    ASSERT_EQ(factory->CreateInstance(nullptr, GetParam().iid, reinterpret_cast<void**>(instance.Put())), kfx::HR_S_OK);
    factory.Reset();
    EXPECT_EQ(component.CanUnloadNow()(), kfx::HR_S_FALSE);
    instance.Reset();
    EXPECT_EQ(component.CanUnloadNow()(), kfx::HR_S_OK);
}

TEST_P(EntryPointsTest, ServerLockKeepsTheLibraryLoaded) {
    auto factory = ClassObject();
    ASSERT_EQ(factory->LockServer(true), kfx::HR_S_OK);
    factory.Reset();
    EXPECT_EQ(component.CanUnloadNow()(), kfx::HR_S_FALSE);
    ClassObject()->LockServer(false);
    EXPECT_EQ(component.CanUnloadNow()(), kfx::HR_S_OK);
}

using testsupport::Aggregate;

TEST_P(EntryPointsTest, AggregatedInstanceAnswersThroughItsOuterObject) {
    auto factory = ClassObject();
    Aggregate outer;
    void* object = &object;
    EXPECT_EQ(factory->CreateInstance(&outer, GetParam().iid, &object), kfx::HR_CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    ASSERT_EQ(factory->CreateInstance(&outer, kfx::IID_IUnknown, &object), kfx::HR_S_OK);
    outer.inner = static_cast<kfx::IUnknown*>(object);

    kfx::IUnknown* asked = nullptr;
    ASSERT_EQ(outer.QueryInterface(GetParam().iid, reinterpret_cast<void**>(&asked)), kfx::HR_S_OK);
    EXPECT_EQ(outer.references, 2u) << "the interface counts on the outer object";
    void* identity = nullptr;
    ASSERT_EQ(asked->QueryInterface(kfx::IID_IUnknown, &identity), kfx::HR_S_OK);
    EXPECT_EQ(identity, static_cast<kfx::IUnknown*>(&outer));
    outer.Release();
    asked->Release();
    EXPECT_EQ(outer.inner->Release(), 0u);
    factory.Reset();
    EXPECT_EQ(component.CanUnloadNow()(), kfx::HR_S_OK);
}

INSTANTIATE_TEST_SUITE_P(BothClasses, EntryPointsTest, ::testing::ValuesIn(kClasses),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EntryPoints, LoadingAndUnloadingAgainLeavesNothingBehind) {
    // The sanitizers report any leak at exit; each round starts and stops the
    // data access library and creates and drops both class objects.
    for (int round = 0; round < 3; ++round) {
        LoadedComponent component;
        for (const CreatableClass& creatable : kClasses) {
            kfx::ComPtr<kfx::IClassFactory> factory;
            ASSERT_EQ(component.GetClassObject()(creatable.clsid, kfx::IID_IClassFactory,
                                                 reinterpret_cast<void**>(factory.Put())),
                      kfx::HR_S_OK);
            kfx::ComPtr<kfx::IUnknown> instance;
            ASSERT_EQ(factory->CreateInstance(nullptr, creatable.iid, reinterpret_cast<void**>(instance.Put())),
                      kfx::HR_S_OK);
        }
        EXPECT_EQ(component.CanUnloadNow()(), kfx::HR_S_OK);
    }
}

}  // namespace
}  // namespace veldmark
