#include "setup/task_dialog/qt/qt_task_dialog_platform.h"

#include <QApplication>
#include <QCursor>
#include <QVariant>
#include <QWidget>

#include "setup/task_dialog/qt/cx_task_dialog.h"

namespace veldmark {
namespace {

// The owner's help-prompt context lives in a property of the owner widget.
constexpr const char* kHelpContextProperty = "helpPromptContext";

}  // namespace

QEvent::Type HelpRequestEvent::Type() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

kfx::HRESULT QtTaskDialogPlatform::RunSystemDialog(const TaskDialogConfig&, int*, int*, int*) {
    // No common-controls library with a task dialog exists on this system.
    return HresultFromWin32(td::kErrorModuleNotFound);
}

kfx::HRESULT QtTaskDialogPlatform::RunEmulation(const TaskDialogConfig& config, int* pressedButton,
                                                int* selectedRadio, int* verificationChecked) {
    return CXTaskDialog::Run(config, pressedButton, selectedRadio, verificationChecked);
}

WindowHandle QtTaskDialogPlatform::ActiveWindow() {
    QWidget* active = QApplication::activeModalWidget();
    if (!active) active = QApplication::activeWindow();
    return active;
}

std::uint32_t QtTaskDialogPlatform::ExchangeHelpContext(WindowHandle owner, std::uint32_t context) {
    auto* widget = static_cast<QWidget*>(owner);
    const std::uint32_t previous = widget->property(kHelpContextProperty).toUInt();
    widget->setProperty(kHelpContextProperty, context);
    return previous;
}

void QtTaskDialogPlatform::SendHelp(WindowHandle owner, const HelpInfo& info) {
    HelpRequestEvent event(info);
    QCoreApplication::sendEvent(static_cast<QWidget*>(owner), &event);
}

ScreenPoint QtTaskDialogPlatform::CursorPosition() {
    const QPoint position = QCursor::pos();
    return {position.x(), position.y()};
}

}  // namespace veldmark
