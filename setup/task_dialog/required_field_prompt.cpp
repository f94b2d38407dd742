#include "setup/task_dialog/required_field_prompt.h"

#include "setup/resource_ids.h"
#include "setup/task_dialog/task_dialog_client.h"

namespace veldmark {

int PromptRequiredField(TaskDialogPlatform& platform, const kfx::Text& title, const kfx::Text& instruction,
                        const kfx::Text& mapText, const kfx::Text& ignoreText) {
    CXTaskDialogMFCClient client(platform);
    TaskDialogConfig& config = client.Config();
    config.flags &= ~td::kUseIconHandleMain;
    config.flags |= td::kUseCommandLinks;
    config.mainIcon.resourceId = res::kIconWarning;
    client.SetText(TaskDialogTextField::WindowTitle, title);
    client.SetText(TaskDialogTextField::MainInstruction, instruction);

    const TaskDialogButton buttons[] = {
        {kButtonMapRequired, mapText.c_str()},
        {kButtonIgnoreRequirement, ignoreText.c_str()},
    };
    config.buttons = buttons;
    config.buttonCount = 2;
    config.defaultButton = kButtonMapRequired;
    client.SetHelpContext(0);

    client.RunModal();
    return client.PressedButton() == kButtonIgnoreRequirement ? 2 : 1;
}

}  // namespace veldmark
