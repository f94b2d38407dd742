#include "setup/qt/dialog_units.h"

#include <cmath>

#include <QFontMetricsF>

namespace veldmark {

DialogBaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetricsF metrics(font);
    const qreal letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {letters / 52, static_cast<int>(std::lround(metrics.height()))};
}

int DialogUnitsToPixelsX(int units, DialogBaseUnits base) { return static_cast<int>(std::lround(units * base.x / 4)); }

int DialogUnitsToPixelsY(int units, DialogBaseUnits base) {
    return static_cast<int>(std::lround(units * static_cast<double>(base.y) / 8));
}

QRect MapDialogRect(const DialogUnitRect& rect, DialogBaseUnits base) {
    const int left = DialogUnitsToPixelsX(rect.x, base);
    const int top = DialogUnitsToPixelsY(rect.y, base);
    const int right = DialogUnitsToPixelsX(rect.x + rect.width, base);
    const int bottom = DialogUnitsToPixelsY(rect.y + rect.height, base);
    return QRect(left, top, right - left, bottom - top);
}

}  // namespace veldmark
