#include "setup/dialog_templates.h"

#include "setup/resource_ids.h"

namespace veldmark {
namespace {

using enum ControlKind;

constexpr DialogControl kGeneralControls[] = {
    {res::kEditInstanceName, Edit, u"", {131, 39, 152, 13}, false},
    {res::kEditServerName, Edit, u"", {131, 71, 152, 13}, false},
    {res::kEditUserName, Edit, u"", {131, 87, 55, 13}, false},
    {res::kEditPassword, PasswordEdit, u"", {131, 103, 55, 13}, false},
    {res::kEditApiLibrary, Edit, u"", {131, 119, 55, 13}, false},
    {res::kLabelBatchClassCaption, RightLabel, u"Batch Class:", {77, 7, 40, 8}, false},
    {res::kLabelBatchClassName, Label, u"", {131, 7, 150, 8}, false},
    {res::kLabelDocumentClassCaption, RightLabel, u"Document Class:", {63, 23, 54, 8}, false},
    {res::kLabelDocumentClassName, Label, u"", {131, 23, 50, 8}, false},
    {res::kLabelInstanceNameCaption, RightLabel, u"Export Connector Instance Name:", {7, 40, 110, 8}, false},
    {res::kLabelServerNameCaption, RightLabel, u"Server Name:", {72, 72, 45, 8}, false},
    {res::kLabelUserNameCaption, RightLabel, u"Username:", {81, 88, 36, 8}, false},
    {res::kLabelPasswordCaption, RightLabel, u"Password:", {83, 104, 34, 8}, false},
    {res::kControlNone, GroupBox, u"System21 Server Details", {33, 58, 297, 80}, false},
    {res::kLabelApiLibraryCaption, RightLabel, u"API Library:", {78, 120, 39, 8}, false},
    {res::kLabelVersionCaption, RightLabel, u"Version:", {90, 221, 27, 8}, true},
    {res::kLabelVersionText, Label, u"", {131, 221, 89, 8}, true},
    {res::kButtonServerNameSource, PushButton, u"...", {293, 71, 19, 14}, false},
    {res::kButtonUserNameSource, PushButton, u"...", {293, 86, 19, 14}, false},
    {res::kButtonPasswordSource, PushButton, u"...", {293, 102, 19, 14}, false},
    {res::kButtonApiLibrarySource, PushButton, u"...", {293, 118, 19, 14}, false},
    {res::kControlNone, GroupBox, u"Sanitise Character Data", {33, 146, 297, 49}, false},
    {res::kEditCodepage, Edit, u"", {131, 157, 55, 13}, false},
    {res::kEditReplacementChar, Edit, u"", {131, 173, 55, 13}, false},
    {res::kLabelCodepageCaption, RightLabel, u"Codepage:", {81, 158, 36, 8}, false},
    {res::kLabelReplacementCharCaption, RightLabel, u"Replacement Character:", {38, 174, 79, 8}, false},
    {res::kButtonCodepageSource, PushButton, u"...", {293, 156, 19, 14}, false},
    {res::kButtonReplacementCharSource, PushButton, u"...", {293, 171, 19, 14}, false},
};

constexpr DialogControl kMappingControls[] = {
    {res::kFrameGrid, Frame, u"", {2, 2, 346, 225}, false},
    {res::kCheckDisplayFieldNames, CheckBox, u"Display Field Names", {2, 231, 79, 10}, false},
};

constexpr DialogTemplate kTemplates[] = {
    {res::kDialogGeneralPage, u"General", 350, 242, kGeneralControls},
    {res::kDialogMappingPage, u"Data Mapping", 349, 242, kMappingControls},
};

}  // namespace

std::span<const DialogTemplate> DialogTemplates() { return kTemplates; }

const DialogTemplate* FindDialogTemplate(int id) {
    for (const DialogTemplate& dialog : kTemplates) {
        if (dialog.id == id) return &dialog;
    }
    return nullptr;
}

const DialogControl* FindDialogControl(const DialogTemplate& dialog, int id) {
    for (const DialogControl& control : dialog.controls) {
        if (control.id == id) return &control;
    }
    return nullptr;
}

}  // namespace veldmark
