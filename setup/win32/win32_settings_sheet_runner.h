// Runs the settings sheet as a Win32 property sheet on the component's
// dialog templates.
#pragma once

#include "setup/settings_sheet_runner.h"

namespace veldmark {

class Win32SettingsSheetRunner final : public SettingsSheetRunner {
public:
    bool Run(const kfx::Text& title, SetupModel& model) override;
};

}  // namespace veldmark
