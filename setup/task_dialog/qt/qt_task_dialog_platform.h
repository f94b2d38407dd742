// The task dialog as this system offers it: there is no platform task dialog
// here, so every dialog runs in the emulation.
#pragma once

#include <QEvent>

#include "setup/task_dialog/task_dialog_platform.h"

namespace veldmark {

// What a help request from a task dialog delivers to its owner window.
class HelpRequestEvent final : public QEvent {
public:
    explicit HelpRequestEvent(const HelpInfo& info) : QEvent(Type()), info_(info) {}

    static QEvent::Type Type();
    const HelpInfo& Info() const { return info_; }

private:
    HelpInfo info_;
};

class QtTaskDialogPlatform final : public TaskDialogPlatform {
public:
    kfx::HRESULT RunSystemDialog(const TaskDialogConfig& config, int* pressedButton, int* selectedRadio,
                                 int* verificationChecked) override;
    kfx::HRESULT RunEmulation(const TaskDialogConfig& config, int* pressedButton, int* selectedRadio,
                              int* verificationChecked) override;
    WindowHandle ActiveWindow() override;
    std::uint32_t ExchangeHelpContext(WindowHandle owner, std::uint32_t context) override;
    void SendHelp(WindowHandle owner, const HelpInfo& info) override;
    ScreenPoint CursorPosition() override;
};

}  // namespace veldmark
