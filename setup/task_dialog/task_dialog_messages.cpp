#include "setup/task_dialog/task_dialog_messages.h"

#include <algorithm>

#include "setup/task_dialog/task_dialog_rules.h"

namespace veldmark {
namespace {

// Progress bar states of the state message.
constexpr std::uintptr_t kStateError = 2;
constexpr std::uintptr_t kStatePaused = 3;

ProgressState ProgressStateOf(std::uintptr_t state) {
    if (state == kStateError) return ProgressState::Error;
    if (state == kStatePaused) return ProgressState::Paused;
    return ProgressState::Normal;
}

// Ranges and positions travel as two 16-bit halves.
std::intptr_t PackRange(std::pair<int, int> range) { return (range.first & 0xFFFF) | ((range.second & 0xFFFF) << 16); }

}  // namespace

std::intptr_t AnswerTaskDialogMessage(const TaskDialogConfig& config, TaskDialogControls& controls,
                                      std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    const int id = static_cast<int>(wParam);
    const bool hasBar = controls.HasControl(TaskControlKind::ProgressBar);
    switch (message) {
    case td::kClickButton: return controls.PressButtonLater(id) ? 1 : 0;
    case td::kSetMarqueeProgressBar:
        if (hasBar) controls.SetProgressMarquee(wParam != 0);
        return wParam != 0 ? 1 : 0;
    case td::kSetProgressBarState:
        if (hasBar) controls.SetProgressState(ProgressStateOf(wParam));
        return 1;
    case td::kSetProgressBarRange: {
        if (!hasBar) return 0;
        const std::intptr_t previous = PackRange(controls.ProgressRange());
        controls.SetProgressRange(static_cast<int>(lParam & 0xFFFF), static_cast<int>((lParam >> 16) & 0xFFFF));
        return previous;
    }
    case td::kSetProgressBarPos: {
        if (!hasBar) return 0;
        const int previous = std::max(controls.ProgressPosition(), controls.ProgressRange().first);
        controls.SetProgressPosition(id);
        return previous;
    }
    case td::kSetElementText:
    case td::kUpdateElementText: {
        const std::optional<TaskControlKind> kind = ElementKind(wParam);
        const bool exists = kind && controls.HasControl(*kind);
        const auto* text = reinterpret_cast<const char16_t*>(lParam);
        if (exists) controls.SetElementText(*kind, text ? kfx::Text(text) : kfx::Text());
        return message == td::kUpdateElementText || exists ? 1 : 0;
    }
    case td::kClickRadioButton: controls.CheckRadio(id); return 0;
    case td::kEnableButton: controls.EnableButton(id, lParam != 0); return 0;
    case td::kEnableRadioButton: controls.EnableRadio(id, lParam != 0); return 0;
    case td::kClickVerification:
        if (controls.HasControl(TaskControlKind::VerificationCheckBox)) controls.SetVerification(wParam != 0, lParam != 0);
        return 0;
    case td::kSetButtonElevationRequiredState: controls.SetElevationRequired(id, lParam != 0); return 0;
    case td::kUpdateIcon: {
        if (wParam != td::kIconMain && wParam != td::kIconFooter) return 0;
        const bool main = wParam == td::kIconMain;
        const bool useHandle = (config.flags & (main ? td::kUseIconHandleMain : td::kUseIconHandleFooter)) != 0;
        TaskDialogIcon icon;
        if (useHandle) icon.handle = reinterpret_cast<IconHandle>(lParam);
        else icon.resourceId = static_cast<std::uint16_t>(lParam);
        controls.SetIcon(main, icon, useHandle);
        return 0;
    }
    default: return 0;
    }
}

}  // namespace veldmark
