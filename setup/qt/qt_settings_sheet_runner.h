// Runs the settings sheet with Qt, creating the Qt application object for
// the time of the call when the host has none.
#pragma once

#include "setup/settings_sheet_runner.h"

namespace veldmark {

class QtSettingsSheetRunner final : public SettingsSheetRunner {
public:
    bool Run(const kfx::Text& title, SetupModel& model) override;
};

}  // namespace veldmark
