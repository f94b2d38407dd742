#include "setup/qt/qt_settings_sheet_runner.h"

#include <memory>
#include <stdexcept>

#include <QApplication>

#include "setup/qt/qt_text.h"
#include "setup/qt/settings_sheet.h"
#include "setup/task_dialog/qt/qt_task_dialog_platform.h"
#include "setup/task_dialog/required_field_prompt.h"

namespace veldmark {
namespace {

// The widgets need a QApplication; a host without one gets one for the call.
class ApplicationScope {
public:
    ApplicationScope() {
        if (qobject_cast<QApplication*>(QCoreApplication::instance())) return;
        if (QCoreApplication::instance()) {
            // The host's interface carries no message, so it goes to the log as well.
            static constexpr const char* kReason =
                "the settings sheet needs a Qt widget application, and a Qt application without widgets is "
                "already running";
            qCritical("%s", kReason);
            throw std::runtime_error(kReason);
        }
        owned_ = std::make_unique<QApplication>(argc_, argv_);
    }

private:
    static inline char name_[] = "veldmark";
    static inline char* argv_[] = {name_, nullptr};
    static inline int argc_ = 1;
    std::unique_ptr<QApplication> owned_;
};

}  // namespace

bool QtSettingsSheetRunner::Run(const kfx::Text& title, SetupModel& model) {
    const ApplicationScope application;
    QtTaskDialogPlatform taskDialogs;
    SettingsSheet sheet(ToQString(title), model,
                        [&taskDialogs](const kfx::Text& promptTitle, const kfx::Text& instruction,
                                       const kfx::Text& mapText, const kfx::Text& ignoreText) {
                            return PromptRequiredField(taskDialogs, promptTitle, instruction, mapText, ignoreText);
                        });
    return sheet.exec() == QDialog::Accepted;
}

}  // namespace veldmark
