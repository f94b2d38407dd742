// A page that shows its template and does nothing more yet: the Data Mapping
// page until its property grid is drawn on Windows.
#pragma once

#include "setup/win32/dialog_page.h"

namespace veldmark {

class TemplatePageDialog final : public DialogPage {
public:
    TemplatePageDialog(HINSTANCE module, int templateId);

    kfx::Text Caption() const override;
    void OnCreate() override {}
    void OnSetActive() override {}
    bool OnKillActive() override { return true; }
    bool CommitPendingInput() override { return true; }
    void OnSheetClosing() override {}
    void OnOK() override {}

private:
    bool OnMessage(UINT, WPARAM, LPARAM, LRESULT&) override { return false; }

    int templateId_;
};

}  // namespace veldmark
