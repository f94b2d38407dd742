#include "setup/win32/template_page_dialog.h"

#include "setup/dialog_templates.h"

namespace veldmark {

TemplatePageDialog::TemplatePageDialog(HINSTANCE module, int templateId)
    : DialogPage(module, templateId), templateId_(templateId) {}

kfx::Text TemplatePageDialog::Caption() const { return FindDialogTemplate(templateId_)->caption; }

}  // namespace veldmark
