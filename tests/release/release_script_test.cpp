#include <gtest/gtest.h>

#include "host/release_script.h"
#include "host_standin/release_data.h"
#include "release/create_release_script.h"
#include "release/report_message.h"

namespace veldmark {
namespace {

kfx::ComPtr<kfx::IKfxReleaseScript> NewScript() {
    kfx::ComPtr<kfx::IKfxReleaseScript> script;
    EXPECT_EQ(CreateReleaseScript(nullptr, kfx::IID_IKfxReleaseScript, reinterpret_cast<void**>(script.Put())),
              kfx::HR_S_OK);
    return script;
}

kfx::ComPtr<standin::ReleaseData> NewData(std::shared_ptr<standin::MessageSink> sink) {
    return kfx::ComPtr<standin::ReleaseData>(
        new standin::ReleaseData(std::make_shared<standin::FaultPlan>(), {}, std::move(sink)));
}

TEST(ReleaseScript, OpenAndCloseSucceedWithoutData) {
    auto script = NewScript();
    kfx::KfxReturnValue result = kfx::KFX_REL_ERROR;
    EXPECT_EQ(script->OpenScript(&result), kfx::HR_S_OK);
    EXPECT_EQ(result, kfx::KFX_REL_SUCCESS);
    result = kfx::KFX_REL_ERROR;
    EXPECT_EQ(script->CloseScript(&result), kfx::HR_S_OK);
    EXPECT_EQ(result, kfx::KFX_REL_SUCCESS);
}

TEST(ReleaseScript, ReleaseWithoutDataFailsAndReportsNothing) {
    auto script = NewScript();
    kfx::KfxReturnValue result = kfx::KFX_REL_SUCCESS;
    EXPECT_EQ(script->ReleaseDoc(&result), kfx::HR_S_OK);
    EXPECT_EQ(result, kfx::KFX_REL_ERROR);
}

TEST(ReleaseScript, AnswersOnlyItsOwnInterfaces) {
    auto script = NewScript();
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(script->QueryInterface(kfx::IID_IKfxReleaseSetupScript, &object), kfx::HR_E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    kfx::ComPtr<kfx::IUnknown> unknown;
    EXPECT_EQ(kfx::QueryInterfaceAs(script.Get(), kfx::IID_IUnknown, unknown), kfx::HR_S_OK);
    // An aggregating object may ask only for the inner identity.
    EXPECT_EQ(CreateReleaseScript(unknown.Get(), kfx::IID_IKfxReleaseScript, &object), kfx::HR_CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
}

TEST(ReleaseScript, DocumentDataHoldsOneReferenceAndHandsOutAnother) {
    auto sink = std::make_shared<standin::MessageSink>();
    auto data = NewData(sink);
    const std::uint32_t alone = data->References();
    {
        auto script = NewScript();
        script->putref_DocumentData(data.Get());
        // One for the object, one for the process-wide current release data.
        EXPECT_EQ(data->References(), alone + 2);
        script->putref_DocumentData(data.Get());
        EXPECT_EQ(data->References(), alone + 2);
        kfx::ComPtr<kfx::IReleaseData> read;
        EXPECT_EQ(script->get_DocumentData(read.Put()), kfx::HR_S_OK);
        EXPECT_EQ(read.Get(), static_cast<kfx::IReleaseData*>(data.Get()));
        EXPECT_EQ(data->References(), alone + 3);
        read.Reset();
        kfx::KfxReturnValue result;
        script->CloseScript(&result);
        EXPECT_EQ(data->References(), alone);
        EXPECT_EQ(script->get_DocumentData(read.Put()), kfx::HR_S_OK);
        EXPECT_EQ(read.Get(), nullptr);
    }
    EXPECT_EQ(data->References(), alone);
}

// Two release objects in one process, each with its own release data.
class TwoReleaseObjects : public ::testing::Test {
protected:
    void SetUp() override {
        one->putref_DocumentData(first.Get());
        other->putref_DocumentData(second.Get());
    }
    // Leaves no report target behind for the next test.
    void TearDown() override {
        kfx::KfxReturnValue result;
        one->CloseScript(&result);
        other->CloseScript(&result);
    }

    std::shared_ptr<standin::MessageSink> firstSink = std::make_shared<standin::MessageSink>();
    std::shared_ptr<standin::MessageSink> secondSink = std::make_shared<standin::MessageSink>();
    kfx::ComPtr<standin::ReleaseData> first = NewData(firstSink);
    kfx::ComPtr<standin::ReleaseData> second = NewData(secondSink);
    kfx::ComPtr<kfx::IKfxReleaseScript> one = NewScript();
    kfx::ComPtr<kfx::IKfxReleaseScript> other = NewScript();
};

TEST_F(TwoReleaseObjects, TheLastDataSetOnEitherReceivesTheReports) {
    reportMessage(539, 0, u"Document Released Successfully %s", {kfx::Text(u"x")});
    EXPECT_TRUE(firstSink->All().empty());
    EXPECT_EQ(secondSink->ErrorLog().size(), 1u);

    kfx::KfxReturnValue result;
    one->CloseScript(&result);  // any CloseScript empties the shared target
    reportMessage(526, 1, u"Error in ReleaseDoc: %s", {kfx::Text(u"lost")});
    EXPECT_EQ(secondSink->ErrorLog().size(), 1u);
}

TEST_F(TwoReleaseObjects, SettingAgainTheDataOneHoldsMakesItTheTargetAgain) {
    // The object holds this data already; the process-wide target does not.
    one->putref_DocumentData(first.Get());
    reportMessage(539, 0, u"Document Released Successfully %s", {kfx::Text(u"x")});
    EXPECT_EQ(firstSink->ErrorLog().size(), 1u);
    EXPECT_TRUE(secondSink->All().empty());
}

TEST(ReportMessage, SendsErrorsToTheDocumentMessagesAfterTheLog) {
    auto sink = std::make_shared<standin::MessageSink>();
    auto data = NewData(sink);
    auto script = NewScript();
    script->putref_DocumentData(data.Get());
    reportMessage(306, 1, u"Error Updating AIP33 record %d of %d: %s",
                  {std::int64_t{2}, std::int64_t{4}, kfx::Text(u"line one\nline two")});
    ASSERT_EQ(sink->All().size(), 2u);
    const auto& logged = std::get<standin::ErrorLogEntry>(sink->All()[0]);
    EXPECT_EQ(logged, (standin::ErrorLogEntry{1, 0, 0, u"Error Updating AIP33 record 2 of 4: line one\nline two",
                                              u"releaseScript", 306}));
    EXPECT_EQ(std::get<standin::DocumentMessage>(sink->All()[1]), (standin::DocumentMessage{logged.message, 1, 1}));
    kfx::KfxReturnValue result;
    script->CloseScript(&result);
}

TEST(ReportMessage, IgnoresAHostThatFailsToLog) {
    auto sink = std::make_shared<standin::MessageSink>();
    auto plan = std::make_shared<standin::FaultPlan>();
    plan->FailEveryCall("ReleaseData.LogError", kfx::HR_E_FAIL);
    kfx::ComPtr<standin::ReleaseData> data(new standin::ReleaseData(plan, {}, sink));
    auto script = NewScript();
    script->putref_DocumentData(data.Get());
    reportMessage(389, 1, u"Failed to get values");
    EXPECT_EQ(plan->CallCount("ReleaseData.SendMessage"), 1);
    kfx::KfxReturnValue result;
    script->CloseScript(&result);
}

}  // namespace
}  // namespace veldmark
