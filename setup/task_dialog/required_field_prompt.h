// Asks the administrator, leaving the Data Mapping page with a required field
// unmapped, whether to go back and map it or to ignore the requirement.
#pragma once

#include "host/com.h"
#include "setup/task_dialog/task_dialog_platform.h"

namespace veldmark {

constexpr int kButtonMapRequired = 541;
constexpr int kButtonIgnoreRequirement = 542;

// 2 when the administrator ignores the requirement; 1 otherwise, also when no
// dialog could be shown. The two texts of the choices are a caption and, after
// a line break, a note.
int PromptRequiredField(TaskDialogPlatform& platform, const kfx::Text& title, const kfx::Text& instruction,
                        const kfx::Text& mapText, const kfx::Text& ignoreText);

}  // namespace veldmark
