#include "setup/task_dialog/task_dialog_rules.h"

namespace veldmark {

TaskDialogRules::TaskDialogRules(const TaskDialogConfig& config, TaskDialogWindow& window)
    : config_(config), window_(window), expanded_((config.flags & td::kExpandedByDefault) != 0) {}

void TaskDialogRules::Start(const std::function<void()>& prepare) {
    Notify(td::kDialogConstructed);
    prepare();
    Notify(td::kCreated);
}

void TaskDialogRules::Destroyed() { Notify(td::kDestroyed); }

kfx::HRESULT TaskDialogRules::Notify(std::uint32_t notification, std::uintptr_t wParam, std::intptr_t lParam) {
    if (!config_.callback) return kfx::HR_S_OK;
    return config_.callback(&window_, notification, wParam, lParam, config_.callbackData);
}

bool TaskDialogRules::IsCancellable() const {
    return (config_.flags & td::kAllowDialogCancellation) || (config_.commonButtons & td::kCancelButton);
}

bool TaskDialogRules::ButtonClicked(int id) {
    if (id == td::kIdCancel && !IsCancellable()) return false;
    return Notify(td::kButtonClicked, static_cast<std::uintptr_t>(id)) != kfx::HR_S_FALSE;
}

std::optional<int> TaskDialogRules::InitialRadio(const std::vector<LabelledButton>& radios) const {
    if ((config_.flags & td::kNoDefaultRadioButton) || radios.empty()) return std::nullopt;
    return config_.defaultRadioButton != 0 ? config_.defaultRadioButton : radios.front().id;
}

bool TaskDialogRules::TimerElapsed(std::uint64_t elapsed) {
    return Notify(td::kTimer, static_cast<std::uintptr_t>(elapsed)) == kfx::HR_S_FALSE;
}

void TaskDialogRules::ToggleExpanded(const std::function<void()>& relayout) {
    expanded_ = !expanded_;
    relayout();
    Notify(td::kExpandoButtonClicked, expanded_ ? 1 : 0);
}

std::optional<int> ButtonForEnter(const TaskDialogLayout& layout, std::optional<int> focused) {
    const auto isButton = [](const TaskControl& control) {
        return control.kind == TaskControlKind::PushButton || control.kind == TaskControlKind::CommandLink;
    };
    if (focused) {
        if (const TaskControl* control = layout.FindId(*focused); control && isButton(*control)) return *focused;
    }
    for (const TaskControl& control : layout.controls) {
        if (control.isDefault && isButton(control)) return control.id;
    }
    return std::nullopt;
}

std::optional<TaskControlKind> ElementKind(std::uintptr_t element) {
    switch (element) {
    case td::kElementContent: return TaskControlKind::Content;
    case td::kElementExpandedInformation: return TaskControlKind::ExpandedInformation;
    case td::kElementFooter: return TaskControlKind::Footer;
    case td::kElementMainInstruction: return TaskControlKind::MainInstruction;
    default: return std::nullopt;
    }
}

}  // namespace veldmark
