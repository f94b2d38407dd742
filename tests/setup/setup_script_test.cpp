#include "setup/setup_script.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <new>

#include "host_standin/release_setup_data.h"
#include "tests/support/outer_object.h"

namespace veldmark {
namespace {

using kfx::ComPtr;

// Stands in for the sheet: does to the model what the administrator would.
class ScriptedRunner final : public SettingsSheetRunner {
public:
    explicit ScriptedRunner(std::function<bool(SetupModel&)> script) : script_(std::move(script)) {}
    bool Run(const Text& title, SetupModel& model) override {
        EXPECT_EQ(title, u"Veldmark Export Connector for System21 Setup");
        return script_(model);
    }

private:
    std::function<bool(SetupModel&)> script_;
};

ComPtr<kfx::IKfxReleaseSetupScript> NewScript(std::function<bool(SetupModel&)> script = [](SetupModel&) {
    return false;
}) {
    void* object = nullptr;
    EXPECT_EQ(TarvelSetupScript::Create(nullptr, kfx::IID_IKfxReleaseSetupScript, &object,
                                        std::make_unique<ScriptedRunner>(std::move(script))),
              kfx::HR_S_OK);
    return ComPtr<kfx::IKfxReleaseSetupScript>::Adopt(static_cast<kfx::IKfxReleaseSetupScript*>(object));
}

standin::DocumentClass StoredClass() {
    standin::DocumentClass stored;
    stored.releaseScriptName = u"System21 export";
    stored.connectString = u"sqlite:db";
    stored.links = {{u"Invoice Number", kfx::KFX_REL_INDEXFIELD, u"AIP32.INVN32"},
                    {u"from another tool", kfx::KFX_REL_TEXTCONSTANT, u"Foreign"}};
    return stored;
}

class SetupScriptTest : public ::testing::Test {
protected:
    void TearDown() override {
        host_.Reset();
        EXPECT_EQ(standin::LiveHostObjects(), liveBefore_);
    }

    const std::int64_t liveBefore_ = standin::LiveHostObjects();
    std::vector<standin::DocumentClass> applied_;
    ComPtr<standin::ReleaseSetupData> host_ = standin::MakeHostObject<standin::ReleaseSetupData>(
        nullptr, StoredClass(), [this](const standin::DocumentClass& stored) { applied_.push_back(stored); });
};

TEST_F(SetupScriptTest, ActionEventSupportsTheClassAndFieldEventsOnly) {
    const ComPtr<kfx::IKfxReleaseSetupScript> script = NewScript();
    for (int action = -3; action <= 25; ++action) {
        kfx::KfxReturnValue result = kfx::KFX_REL_ERROR;
        EXPECT_EQ(script->ActionEvent(static_cast<kfx::KfxActionValue>(action), u"old", u"new", &result), kfx::HR_S_OK);
        const bool supported = action >= kfx::KFX_REL_DOCCLASS_RENAME && action <= kfx::KFX_REL_END;
        EXPECT_EQ(result, supported ? kfx::KFX_REL_SUCCESS : kfx::KFX_REL_UNSUPPORTED) << action;
    }
}

TEST_F(SetupScriptTest, OpenAndCloseSucceedAndCloseKeepsTheSetupData) {
    const ComPtr<kfx::IKfxReleaseSetupScript> script = NewScript();
    kfx::KfxReturnValue result = kfx::KFX_REL_ERROR;
    EXPECT_EQ(script->OpenScript(&result), kfx::HR_S_OK);
    EXPECT_EQ(result, kfx::KFX_REL_SUCCESS);
    script->putref_SetupData(host_.Get());
    result = kfx::KFX_REL_ERROR;
    EXPECT_EQ(script->CloseScript(&result), kfx::HR_S_OK);
    EXPECT_EQ(result, kfx::KFX_REL_SUCCESS);
    ComPtr<kfx::IReleaseSetupData> held;
    EXPECT_EQ(script->get_SetupData(held.Put()), kfx::HR_S_OK);
    EXPECT_EQ(held.Get(), host_.Get());
}

TEST_F(SetupScriptTest, SetupDataIsCountedOnceAndReleasedWithTheScript) {
    ComPtr<kfx::IKfxReleaseSetupScript> script = NewScript();
    ComPtr<kfx::IReleaseSetupData> held;
    EXPECT_EQ(script->get_SetupData(held.Put()), kfx::HR_S_OK);
    EXPECT_FALSE(held);

    const std::uint32_t before = host_->References();
    script->putref_SetupData(host_.Get());
    EXPECT_EQ(host_->References(), before + 1);
    script->putref_SetupData(host_.Get());
    EXPECT_EQ(host_->References(), before + 1) << "assigning the held object again changes nothing";

    ComPtr<standin::ReleaseSetupData> other =
        standin::MakeHostObject<standin::ReleaseSetupData>(nullptr, StoredClass(), nullptr);
    script->putref_SetupData(other.Get());
    EXPECT_EQ(host_->References(), before);
    EXPECT_EQ(other->References(), 2u);
    script.Reset();
    EXPECT_EQ(other->References(), 1u);
}

TEST_F(SetupScriptTest, AnswersOnlyItsOwnInterfaces) {
    const ComPtr<kfx::IKfxReleaseSetupScript> script = NewScript();
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(script->QueryInterface(kfx::IID_IReleaseSetupData, &object), kfx::HR_E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    ComPtr<kfx::IUnknown> identity;
    ASSERT_EQ(kfx::QueryInterfaceAs(script.Get(), kfx::IID_IUnknown, identity), kfx::HR_S_OK);
    ComPtr<kfx::IKfxReleaseSetupScript> again;
    ASSERT_EQ(kfx::QueryInterfaceAs(identity.Get(), kfx::IID_IKfxReleaseSetupScript, again), kfx::HR_S_OK);
    EXPECT_EQ(again.Get(), script.Get());
}

TEST_F(SetupScriptTest, OkSavesTheModelAndAppliesItWhileCancelWritesNothing) {
    ComPtr<kfx::IKfxReleaseSetupScript> script = NewScript([](SetupModel& model) {
        model.catalogue[0].source = u"3";
        model.catalogue[0].sourceType = kfx::KFX_REL_TEXTCONSTANT;
        return false;
    });
    script->putref_SetupData(host_.Get());
    kfx::KfxReturnValue result = kfx::KFX_REL_ERROR;
    EXPECT_EQ(script->RunUI(&result), kfx::HR_S_OK);
    EXPECT_EQ(result, kfx::KFX_REL_SUCCESS);
    EXPECT_TRUE(applied_.empty());
    EXPECT_EQ(host_->Committed().links, StoredClass().links);

    script = NewScript([](SetupModel& model) {
        EXPECT_EQ(model.catalogue[3].source, u"Invoice Number") << "the stored links are loaded first";
        model.catalogue[0].source = u"3";
        model.catalogue[0].sourceType = kfx::KFX_REL_TEXTCONSTANT;
        return true;
    });
    script->putref_SetupData(host_.Get());
    EXPECT_EQ(script->RunUI(&result), kfx::HR_S_OK);
    EXPECT_EQ(result, kfx::KFX_REL_SUCCESS);
    ASSERT_EQ(applied_.size(), 1u);
    const auto& links = applied_[0].links;
    ASSERT_EQ(links.size(), 2u + 6u + 3u);
    EXPECT_EQ(links[0], (standin::LinkRecord{u"3", kfx::KFX_REL_TEXTCONSTANT, u"AIP32.RTYP32"}));
    EXPECT_EQ(links[1], (standin::LinkRecord{u"Invoice Number", kfx::KFX_REL_INDEXFIELD, u"AIP32.INVN32"}));
    for (const auto& link : links) EXPECT_NE(link.destination, u"Foreign");
}

TEST_F(SetupScriptTest, AppliesEvenWhenTheSaveFailsAndReportsLackOfMemory) {
    auto plan = std::make_shared<standin::FaultPlan>();
    plan->FailEveryCall("Links.RemoveAll", kfx::HR_E_FAIL);
    ComPtr<standin::ReleaseSetupData> failing =
        standin::MakeHostObject<standin::ReleaseSetupData>(plan, StoredClass(), nullptr);
    ComPtr<kfx::IKfxReleaseSetupScript> script = NewScript([](SetupModel&) { return true; });
    script->putref_SetupData(failing.Get());
    kfx::KfxReturnValue result = kfx::KFX_REL_ERROR;
    EXPECT_EQ(script->RunUI(&result), kfx::HR_S_OK);
    EXPECT_EQ(result, kfx::KFX_REL_SUCCESS);
    EXPECT_EQ(plan->CallCount("ReleaseSetupData.Apply"), 1);

    script = NewScript([](SetupModel&) -> bool { throw std::bad_alloc(); });
    EXPECT_EQ(script->RunUI(&result), kfx::HR_E_OUTOFMEMORY);
    EXPECT_EQ(result, kfx::KFX_REL_ERROR);
}

using testsupport::Aggregate;

TEST_F(SetupScriptTest, AggregatedScriptDelegatesItsIdentityAndCountToTheOuterObject) {
    Aggregate outer;
    void* object = nullptr;
    EXPECT_EQ(TarvelSetupScript::Create(&outer, kfx::IID_IKfxReleaseSetupScript, &object,
                                        std::make_unique<ScriptedRunner>([](SetupModel&) { return false; })),
              kfx::HR_CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);

    ASSERT_EQ(TarvelSetupScript::Create(&outer, kfx::IID_IUnknown, &object,
                                        std::make_unique<ScriptedRunner>([](SetupModel&) { return false; })),
              kfx::HR_S_OK);
    outer.inner = static_cast<kfx::IUnknown*>(object);

    kfx::IKfxReleaseSetupScript* script = nullptr;
    ASSERT_EQ(outer.QueryInterface(kfx::IID_IKfxReleaseSetupScript, reinterpret_cast<void**>(&script)), kfx::HR_S_OK);
    EXPECT_EQ(outer.references, 2u) << "the interface counts on the outer object";
    void* identity = nullptr;
    ASSERT_EQ(script->QueryInterface(kfx::IID_IUnknown, &identity), kfx::HR_S_OK);
    EXPECT_EQ(identity, static_cast<kfx::IUnknown*>(&outer));
    outer.Release();
    script->Release();
    EXPECT_EQ(outer.references, 1u);
    EXPECT_EQ(outer.inner->Release(), 0u);
}

}  // namespace
}  // namespace veldmark
