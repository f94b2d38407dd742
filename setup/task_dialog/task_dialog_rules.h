// What the task dialog emulation does at run time, whatever draws it: the
// order of its notifications, which presses end it, when it may be
// cancelled, the callback timer and the expand button.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "setup/task_dialog/task_dialog_config.h"
#include "setup/task_dialog/task_dialog_layout.h"

namespace veldmark {

class TaskDialogRules {
public:
    // Neither is owned; both outlive the rules.
    TaskDialogRules(const TaskDialogConfig& config, TaskDialogWindow& window);

    // Constructed, then what the view prepares (placing, focus, first
    // states, timers), then created.
    void Start(const std::function<void()>& prepare);
    void Destroyed();
    kfx::HRESULT Notify(std::uint32_t notification, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);

    // Cancel needs the cancellation flag or a Cancel button: Escape, the
    // close box and Alt+F4 do nothing otherwise.
    bool IsCancellable() const;
    // A push button or command link was pressed: true when the dialog ends
    // with it (the callback may keep it open).
    bool ButtonClicked(int id);
    // Escape or the close box: true when the dialog ends with Cancel.
    bool CancelRequested() { return IsCancellable() && ButtonClicked(td::kIdCancel); }
    // The radio button checked at the start; none when the configuration says so.
    std::optional<int> InitialRadio(const std::vector<LabelledButton>& radios) const;
    // The callback timer fired after `elapsed` ms of counting: true when the count starts again.
    bool TimerElapsed(std::uint64_t elapsed);

    bool Expanded() const { return expanded_; }
    // The expand button: the state turns, the view lays itself out again, then the callback hears of it.
    void ToggleExpanded(const std::function<void()>& relayout);

private:
    const TaskDialogConfig& config_;
    TaskDialogWindow& window_;
    bool expanded_;
};

// The button Enter presses: the focused push button or command link, else
// the default one; none when neither is a button.
std::optional<int> ButtonForEnter(const TaskDialogLayout& layout, std::optional<int> focused);

// The control that an element of the element-text messages names.
std::optional<TaskControlKind> ElementKind(std::uintptr_t element);

}  // namespace veldmark
