// What a settings sheet asks of each of its pages.
#pragma once

#include "host/com.h"

namespace veldmark {

class PropertyPage {
public:
    virtual ~PropertyPage() = default;

    virtual kfx::Text Caption() const = 0;
    // The page's window is created: the first time the page becomes active.
    virtual void OnCreate() = 0;
    virtual void OnSetActive() = 0;
    // False keeps the page active (and the sheet open).
    virtual bool OnKillActive() = 0;
    // Before OK: finishes the input in progress, as leaving the box being
    // edited would. False when that input is refused and the sheet stays open.
    virtual bool CommitPendingInput() = 0;
    // The sheet is closing: what its controls report from now on is not acted on.
    virtual void OnSheetClosing() = 0;
    // The sheet closes with OK; called for every page that has been created.
    virtual void OnOK() = 0;
};

}  // namespace veldmark
