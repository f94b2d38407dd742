// A small reusable task-dialog client: it holds one configuration, runs the
// system's task dialog or, when there is none or it fails, the emulation, and
// hands the dialog's notifications to handlers that a derived client may override.
#pragma once

#include <array>
#include <cstdint>

#include "setup/task_dialog/task_dialog_config.h"
#include "setup/task_dialog/task_dialog_platform.h"

namespace veldmark {

// The texts of a configuration that the client keeps copies of.
enum class TaskDialogTextField {
    WindowTitle,
    MainInstruction,
    Content,
    VerificationText,
    ExpandedInformation,
    ExpandedControlText,
    CollapsedControlText,
    Footer,
};

class CXTaskDialogMFCClient {
public:
    explicit CXTaskDialogMFCClient(TaskDialogPlatform& platform);
    virtual ~CXTaskDialogMFCClient() = default;

    CXTaskDialogMFCClient(const CXTaskDialogMFCClient&) = delete;
    CXTaskDialogMFCClient& operator=(const CXTaskDialogMFCClient&) = delete;

    TaskDialogConfig& Config() { return config_; }
    // Keeps a copy of the text and points the configuration at it.
    void SetText(TaskDialogTextField field, kfx::Text text);
    void SetHelpContext(std::uint32_t context) { helpContext_ = context; }

    // Runs the dialog modally: 0 when it ran, a failure code when neither the
    // system's dialog nor the emulation could show it.
    kfx::HRESULT RunModal();

    int PressedButton() const { return pressedButton_; }
    int SelectedRadioButton() const { return selectedRadioButton_; }
    bool VerificationChecked() const { return verificationChecked_ != 0; }
    // The running dialog, between its construction and its destruction.
    TaskDialogWindow* Dialog() const { return dialog_; }

    // The configuration's callback: calls the handler for the notification on
    // the client named by the callback data and answers what the dialog expects.
    static kfx::HRESULT NotificationDispatcher(TaskDialogWindow* dialog, std::uint32_t notification,
                                               std::uintptr_t wParam, std::intptr_t lParam,
                                               std::intptr_t refData);

protected:
    virtual void OnDialogConstructed() {}
    virtual void OnCreated() {}
    // True keeps the dialog open.
    virtual bool OnButtonClicked(int buttonId) { return false; }
    virtual void OnRadioButtonClicked(int buttonId) {}
    virtual void OnHyperlinkClicked(const kfx::Text& target) {}
    virtual void OnExpandoButtonClicked(bool expanded) {}
    virtual void OnVerificationClicked(bool checked) {}
    // Passes the request on to the owner window.
    virtual void OnHelp();
    // True resets the tick count.
    virtual bool OnTimer(std::uint32_t milliseconds) { return false; }
    virtual void OnNavigated() {}
    virtual void OnDestroyed() {}

private:
    using Implementation = kfx::HRESULT (TaskDialogPlatform::*)(const TaskDialogConfig&, int*, int*, int*);
    kfx::HRESULT RunWith(Implementation implementation);
    kfx::HRESULT Dispatch(TaskDialogWindow* dialog, std::uint32_t notification, std::uintptr_t wParam,
                          std::intptr_t lParam);

    TaskDialogPlatform& platform_;
    TaskDialogConfig config_;
    std::array<kfx::Text, 8> texts_;
    int pressedButton_ = 0;
    int selectedRadioButton_ = 0;
    int verificationChecked_ = 0;
    std::uint32_t helpContext_ = 0;
    TaskDialogWindow* dialog_ = nullptr;
};

}  // namespace veldmark
