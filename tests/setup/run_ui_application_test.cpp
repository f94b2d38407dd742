// RunUI in a host that has no Qt application object: the call makes one for
// itself and removes it again.
#include <QApplication>
#include <QPushButton>

#include "host/release_script.h"
#include "setup/create_setup_script.h"
#include "setup/qt/settings_sheet.h"
#include "ui_test_support.h"

namespace veldmark::uitest {
namespace {

bool cancelArmed = false;

// Called from within every QApplication constructor from the moment it is
// registered; acts only when armed.
void CancelTheSheetOnceItShows() {
    if (!cancelArmed) return;
    cancelArmed = false;
    WhenShown([] { return qobject_cast<SettingsSheet*>(QApplication::activeModalWidget()); },
              [](QWidget* sheet) { static_cast<SettingsSheet*>(sheet)->CancelButton()->click(); });
}

TEST(RunUiApplicationTest, WithoutAnApplicationRunUiMakesOneForTheCallOnly) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    const StoredDocumentClass stored(SampleDocumentClass());
    const auto setupData = stored.OpenSetupData();
    void* object = nullptr;
    ASSERT_EQ(CreateSetupScript(nullptr, kfx::IID_IKfxReleaseSetupScript, &object), kfx::HR_S_OK);
    const auto script =
        kfx::ComPtr<kfx::IKfxReleaseSetupScript>::Adopt(static_cast<kfx::IKfxReleaseSetupScript*>(object));
    script->putref_SetupData(setupData.Get());

    cancelArmed = true;
    qAddPreRoutine(&CancelTheSheetOnceItShows);
    kfx::KfxReturnValue result = kfx::KFX_REL_ERROR;
    EXPECT_EQ(script->RunUI(&result), kfx::HR_S_OK);
    EXPECT_EQ(result, kfx::KFX_REL_SUCCESS);
    EXPECT_FALSE(cancelArmed) << "the sheet ran inside an application made for it";
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
    EXPECT_EQ(stored.Reload(), SampleDocumentClass());
}

TEST(RunUiApplicationTest, AnApplicationWithoutWidgetsIsReportedNotUsed) {
    static int argc = 1;
    static char name[] = "setup_ui_tests";
    static char* argv[] = {name, nullptr};
    const QCoreApplication application(argc, argv);
    const StoredDocumentClass stored(SampleDocumentClass());
    const auto setupData = stored.OpenSetupData();
    void* object = nullptr;
    ASSERT_EQ(CreateSetupScript(nullptr, kfx::IID_IKfxReleaseSetupScript, &object), kfx::HR_S_OK);
    const auto script =
        kfx::ComPtr<kfx::IKfxReleaseSetupScript>::Adopt(static_cast<kfx::IKfxReleaseSetupScript*>(object));
    script->putref_SetupData(setupData.Get());
    kfx::KfxReturnValue result = kfx::KFX_REL_SUCCESS;
    EXPECT_EQ(script->RunUI(&result), kfx::HR_E_FAIL);
    EXPECT_EQ(result, kfx::KFX_REL_ERROR);
    EXPECT_EQ(stored.Reload(), SampleDocumentClass());
}

}  // namespace
}  // namespace veldmark::uitest
