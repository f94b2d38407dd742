// Shows the two-page settings sheet over a loaded model; the toolkit that
// draws it supplies the implementation.
#pragma once

#include "host/com.h"
#include "model/setup_model.h"

namespace veldmark {

class SettingsSheetRunner {
public:
    virtual ~SettingsSheetRunner() = default;

    // Runs the sheet modally. True when it was closed with OK, after every
    // page that was shown has had its OK; the model then holds what to save.
    virtual bool Run(const kfx::Text& title, SetupModel& model) = 0;
};

}  // namespace veldmark
