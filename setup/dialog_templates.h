// The dialog templates of the two settings pages: controls, texts and
// positions in dialog units, as the component's resources define them.
#pragma once

#include <span>

namespace veldmark {

enum class ControlKind {
    Edit,
    PasswordEdit,
    Label,       // text aligned to the left
    RightLabel,  // text aligned to the right
    GroupBox,
    PushButton,
    Frame,     // a visible black frame without text
    CheckBox,  // automatic, with a tab stop
};

struct DialogUnitRect {
    int x;
    int y;
    int width;
    int height;
};

struct DialogControl {
    int id;  // res::kControlNone for controls nobody addresses
    ControlKind kind;
    const char16_t* text;
    DialogUnitRect rect;
    bool hidden;
};

struct DialogTemplate {
    int id;
    const char16_t* caption;
    int width;
    int height;
    std::span<const DialogControl> controls;  // in tab order
};

// Every dialog template of the component.
std::span<const DialogTemplate> DialogTemplates();

// The template with the given identifier; null when the component has none.
const DialogTemplate* FindDialogTemplate(int id);

// The control with the given identifier; null when the template lacks it.
const DialogControl* FindDialogControl(const DialogTemplate& dialog, int id);

}  // namespace veldmark
