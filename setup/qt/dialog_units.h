// Dialog units to pixels, as the platform converts a dialog template: with
// the average character width and the character height of the dialog's font.
#pragma once

#include <QFont>
#include <QRect>

#include "setup/dialog_templates.h"

namespace veldmark {

struct DialogBaseUnits {
    int x = 0;  // average character width
    int y = 0;  // character height
};

DialogBaseUnits BaseUnitsOf(const QFont& font);

int DialogUnitsToPixelsX(int units, DialogBaseUnits base);
int DialogUnitsToPixelsY(int units, DialogBaseUnits base);
QRect MapDialogRect(const DialogUnitRect& rect, DialogBaseUnits base);

}  // namespace veldmark
