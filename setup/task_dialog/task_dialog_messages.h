// The messages a running task dialog answers (click a button, set a text,
// move the progress bar, ...): what each one means and answers, whatever
// draws the controls it acts on.
#pragma once

#include <cstdint>
#include <utility>

#include "setup/task_dialog/task_dialog_config.h"
#include "setup/task_dialog/task_dialog_layout.h"

namespace veldmark {

enum class ProgressState { Normal, Error, Paused };

// The controls of a running dialog, as its view offers them.
class TaskDialogControls {
public:
    // Focuses the push button or command link and presses it once the
    // message has been answered; false when there is none with the id.
    virtual bool PressButtonLater(int id) = 0;
    virtual void EnableButton(int id, bool enabled) = 0;
    virtual void SetElevationRequired(int id, bool required) = 0;
    // Checks the radio button and no other, and gives it the focus.
    virtual void CheckRadio(int id) = 0;
    virtual void EnableRadio(int id, bool enabled) = 0;
    virtual void SetVerification(bool checked, bool focus) = 0;

    virtual bool HasControl(TaskControlKind kind) const = 0;
    virtual void SetProgressMarquee(bool marquee) = 0;
    virtual void SetProgressState(ProgressState state) = 0;
    virtual std::pair<int, int> ProgressRange() const = 0;
    virtual void SetProgressRange(int minimum, int maximum) = 0;
    virtual int ProgressPosition() const = 0;
    virtual void SetProgressPosition(int position) = 0;

    virtual void SetElementText(TaskControlKind element, const kfx::Text& text) = 0;
    virtual void SetIcon(bool main, const TaskDialogIcon& icon, bool useHandle) = 0;

protected:
    ~TaskDialogControls() = default;
};

// Answers one message as the platform's dialog does. Page navigation and
// the marquee speed are not supported and answer 0.
std::intptr_t AnswerTaskDialogMessage(const TaskDialogConfig& config, TaskDialogControls& controls,
                                      std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace veldmark
