// The settings sheet of the Windows build until its Win32 pages exist: says
// so in a message box and saves nothing.
#pragma once

#include "setup/settings_sheet_runner.h"

namespace veldmark {

class UnavailableSheetRunner final : public SettingsSheetRunner {
public:
    bool Run(const kfx::Text& title, SetupModel& model) override;
};

}  // namespace veldmark
