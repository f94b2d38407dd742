// The task dialog's configuration record, notifications and messages, in the
// shape of the platform's task dialog so that either the platform's own or
// the emulation can show it.
#pragma once

#include <cstdint>
#include <optional>

#include "host/com.h"
#include "setup/resources.h"

namespace veldmark {

// An opaque top-level window of the toolkit in use.
using WindowHandle = void*;
// An opaque icon of the toolkit in use.
using IconHandle = const void*;

// A text of the configuration: nothing, a string-table identifier, or a text
// that the caller keeps alive while the dialog runs.
class TaskDialogText {
public:
    TaskDialogText() = default;
    TaskDialogText(const char16_t* text) : text_(text) {}
    static TaskDialogText Resource(std::uint16_t id) {
        TaskDialogText result;
        result.resourceId_ = id;
        return result;
    }

    bool IsAbsent() const { return !text_ && resourceId_ == 0; }
    bool IsResource() const { return resourceId_ != 0; }
    std::uint16_t ResourceId() const { return resourceId_; }
    const char16_t* Pointer() const { return text_; }

private:
    const char16_t* text_ = nullptr;
    std::uint16_t resourceId_ = 0;
};

// An icon of the configuration: a resource identifier (the standard icons
// included) or, with the matching TDF_USE_HICON_ flag, an icon handle.
struct TaskDialogIcon {
    std::uint16_t resourceId = 0;
    IconHandle handle = nullptr;
};

struct TaskDialogButton {
    int id;
    TaskDialogText text;  // for a command link: caption, line break, note
};

class TaskDialogWindow;

// Called with (dialog, notification, first value, second value, callback data).
using TaskDialogCallback = kfx::HRESULT (*)(TaskDialogWindow* dialog, std::uint32_t notification,
                                            std::uintptr_t wParam, std::intptr_t lParam, std::intptr_t refData);

struct TaskDialogConfig {
    std::uint32_t size = sizeof(TaskDialogConfig);
    WindowHandle parent = nullptr;
    const ResourceModule* instance = nullptr;
    std::uint32_t flags = 0;
    std::uint32_t commonButtons = 0;
    TaskDialogText windowTitle;
    TaskDialogIcon mainIcon;
    TaskDialogText mainInstruction;
    TaskDialogText content;
    std::uint32_t buttonCount = 0;
    const TaskDialogButton* buttons = nullptr;
    int defaultButton = 0;
    std::uint32_t radioButtonCount = 0;
    const TaskDialogButton* radioButtons = nullptr;
    int defaultRadioButton = 0;
    TaskDialogText verificationText;
    TaskDialogText expandedInformation;
    TaskDialogText expandedControlText;
    TaskDialogText collapsedControlText;
    TaskDialogIcon footerIcon;
    TaskDialogText footer;
    TaskDialogCallback callback = nullptr;
    std::intptr_t callbackData = 0;
    std::uint32_t width = 0;  // in dialog units; 0 lets the dialog choose
};

// The running dialog, as the callback sees it: it answers the TDM_ messages.
class TaskDialogWindow {
public:
    virtual std::intptr_t Send(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    virtual WindowHandle Handle() = 0;

protected:
    ~TaskDialogWindow() = default;
};

// The platform's values, under names of our own: its headers define its
// names as macros.
namespace td {

// Flags (TDF_).
constexpr std::uint32_t kEnableHyperlinks = 0x0001;
constexpr std::uint32_t kUseIconHandleMain = 0x0002;
constexpr std::uint32_t kUseIconHandleFooter = 0x0004;
constexpr std::uint32_t kAllowDialogCancellation = 0x0008;
constexpr std::uint32_t kUseCommandLinks = 0x0010;
constexpr std::uint32_t kUseCommandLinksNoIcon = 0x0020;
constexpr std::uint32_t kExpandFooterArea = 0x0040;
constexpr std::uint32_t kExpandedByDefault = 0x0080;
constexpr std::uint32_t kVerificationFlagChecked = 0x0100;
constexpr std::uint32_t kShowProgressBar = 0x0200;
constexpr std::uint32_t kShowMarqueeProgressBar = 0x0400;
constexpr std::uint32_t kCallbackTimer = 0x0800;
constexpr std::uint32_t kPositionRelativeToWindow = 0x1000;
constexpr std::uint32_t kRtlLayout = 0x2000;
constexpr std::uint32_t kNoDefaultRadioButton = 0x4000;
constexpr std::uint32_t kCanBeMinimized = 0x8000;

// Common buttons (TDCBF_).
constexpr std::uint32_t kOkButton = 0x0001;
constexpr std::uint32_t kYesButton = 0x0002;
constexpr std::uint32_t kNoButton = 0x0004;
constexpr std::uint32_t kCancelButton = 0x0008;
constexpr std::uint32_t kRetryButton = 0x0010;
constexpr std::uint32_t kCloseButton = 0x0020;

// Identifiers of the common buttons (IDOK and so on).
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdRetry = 4;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;
constexpr int kIdClose = 8;

// Standard icons (TD_..._ICON).
constexpr std::uint16_t kWarningIcon = 0xFFFF;
constexpr std::uint16_t kErrorIcon = 0xFFFE;
constexpr std::uint16_t kInformationIcon = 0xFFFD;
constexpr std::uint16_t kShieldIcon = 0xFFFC;

// Notifications (TDN_).
constexpr std::uint32_t kCreated = 0;
constexpr std::uint32_t kNavigated = 1;
constexpr std::uint32_t kButtonClicked = 2;
constexpr std::uint32_t kHyperlinkClicked = 3;
constexpr std::uint32_t kTimer = 4;
constexpr std::uint32_t kDestroyed = 5;
constexpr std::uint32_t kRadioButtonClicked = 6;
constexpr std::uint32_t kDialogConstructed = 7;
constexpr std::uint32_t kVerificationClicked = 8;
constexpr std::uint32_t kHelp = 9;
constexpr std::uint32_t kExpandoButtonClicked = 10;

// Messages (TDM_).
constexpr std::uint32_t kWmUser = 0x0400;
constexpr std::uint32_t kNavigatePage = kWmUser + 101;
constexpr std::uint32_t kClickButton = kWmUser + 102;
constexpr std::uint32_t kSetMarqueeProgressBar = kWmUser + 103;
constexpr std::uint32_t kSetProgressBarState = kWmUser + 104;
constexpr std::uint32_t kSetProgressBarRange = kWmUser + 105;
constexpr std::uint32_t kSetProgressBarPos = kWmUser + 106;
constexpr std::uint32_t kSetProgressBarMarquee = kWmUser + 107;
constexpr std::uint32_t kSetElementText = kWmUser + 108;
constexpr std::uint32_t kClickRadioButton = kWmUser + 110;
constexpr std::uint32_t kEnableButton = kWmUser + 111;
constexpr std::uint32_t kEnableRadioButton = kWmUser + 112;
constexpr std::uint32_t kClickVerification = kWmUser + 113;
constexpr std::uint32_t kUpdateElementText = kWmUser + 114;
constexpr std::uint32_t kSetButtonElevationRequiredState = kWmUser + 115;
constexpr std::uint32_t kUpdateIcon = kWmUser + 116;

// Elements of the element-text messages (TDE_).
constexpr std::uintptr_t kElementContent = 0;
constexpr std::uintptr_t kElementExpandedInformation = 1;
constexpr std::uintptr_t kElementFooter = 2;
constexpr std::uintptr_t kElementMainInstruction = 3;

// Icons of the icon message (TDIE_).
constexpr std::uintptr_t kIconMain = 0;
constexpr std::uintptr_t kIconFooter = 1;

// Platform error numbers.
constexpr std::uint32_t kErrorModuleNotFound = 126;
constexpr std::uint32_t kErrorResourceNotFound = 1814;
constexpr std::uint32_t kErrorCannotFindWindowClass = 1407;

}  // namespace td

// Failure code built from a platform error number.
constexpr kfx::HRESULT HresultFromWin32(std::uint32_t error) {
    return error == 0 ? kfx::HR_S_OK : static_cast<kfx::HRESULT>((error & 0xFFFF) | 0x80070000u);
}

}  // namespace veldmark
