// The texts an emulated task dialog shows, loaded from its configuration, and
// what the layout needs to know of the configuration.
#pragma once

#include <optional>
#include <vector>

#include "setup/task_dialog/task_dialog_config.h"
#include "setup/task_dialog/task_dialog_layout.h"

namespace veldmark {

struct TaskDialogTexts {
    kfx::Text windowTitle;
    kfx::Text mainInstruction;
    kfx::Text content;  // as given, hyperlink markup included
    kfx::Text contentPlain;
    kfx::Text expandedInformation;
    kfx::Text expandedInformationPlain;
    kfx::Text expandedControlText;
    kfx::Text collapsedControlText;
    kfx::Text verificationText;
    kfx::Text footer;
    kfx::Text footerPlain;
};

// The text without hyperlink markup: every "</A>" removed, and every
// "<A HREF=" up to the next ">" (left as it is when no ">" follows).
kfx::Text StripHyperlinks(const kfx::Text& text);

// Loads every text of the configuration. An empty window title becomes the
// program's file name. Nothing when a string cannot be loaded from the
// configuration's resources.
std::optional<TaskDialogTexts> LoadTaskDialogTexts(const TaskDialogConfig& config, const kfx::Text& programFileName);

// The common buttons the configuration asks for, in placing order, captioned
// from the component's string table where it has the caption.
std::vector<LabelledButton> RequestedCommonButtons(std::uint32_t commonButtons);
LabelledButton ImplicitOkButton();

// A button's or radio button's text: the text itself or a string of the module.
std::optional<kfx::Text> LoadButtonText(const TaskDialogConfig& config, const TaskDialogText& text);

}  // namespace veldmark
