// Dialog units to pixels, as the platform converts a dialog template: a
// horizontal unit is a quarter of the average character width of the
// dialog's font, a vertical unit an eighth of its character height.
#pragma once

#include <QFont>
#include <QRect>

#include "setup/dialog_templates.h"

namespace veldmark {

struct DialogBaseUnits {
    // The average width of the 52 Latin letters. The platform rounds it down
    // to whole pixels; that is kept out here, because the templates were laid
    // out in a narrower font and the few percent lost would make captions
    // longer than their boxes.
    double x = 0;
    int y = 0;  // character height
};

DialogBaseUnits BaseUnitsOf(const QFont& font);

int DialogUnitsToPixelsX(int units, DialogBaseUnits base);
int DialogUnitsToPixelsY(int units, DialogBaseUnits base);
QRect MapDialogRect(const DialogUnitRect& rect, DialogBaseUnits base);

}  // namespace veldmark
