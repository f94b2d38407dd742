// What the task-dialog client needs from the system it runs on: the system's
// own task dialog (when there is one), the emulation, and a few window services.
#pragma once

#include <cstdint>

#include "setup/task_dialog/task_dialog_config.h"

namespace veldmark {

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// What a help request tells the owner window.
struct HelpInfo {
    static constexpr int kContextWindow = 1;  // HELPINFO_WINDOW
    int contextType = kContextWindow;
    WindowHandle item = nullptr;
    int controlId = 0;
    std::uint32_t contextId = 0;
    ScreenPoint mousePosition;
};

class TaskDialogPlatform {
public:
    virtual ~TaskDialogPlatform() = default;

    // The system's own task dialog: 0 when it ran, a failure code when the
    // system has none or it failed. Fills the three results that are given.
    virtual kfx::HRESULT RunSystemDialog(const TaskDialogConfig& config, int* pressedButton, int* selectedRadio,
                                         int* verificationChecked) = 0;
    // The emulation, with the same contract.
    virtual kfx::HRESULT RunEmulation(const TaskDialogConfig& config, int* pressedButton, int* selectedRadio,
                                      int* verificationChecked) = 0;

    // The calling thread's active top-level window, or null.
    virtual WindowHandle ActiveWindow() = 0;
    // Sets the owner's help-prompt context and returns the one it had.
    virtual std::uint32_t ExchangeHelpContext(WindowHandle owner, std::uint32_t context) = 0;
    // Asks the owner window for help.
    virtual void SendHelp(WindowHandle owner, const HelpInfo& info) = 0;
    virtual ScreenPoint CursorPosition() = 0;
};

}  // namespace veldmark
