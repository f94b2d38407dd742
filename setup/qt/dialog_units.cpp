#include "setup/qt/dialog_units.h"

#include <QFontMetrics>

namespace veldmark {
namespace {

// Multiplies and divides, rounding half away from zero.
int MulDiv(int number, int numerator, int denominator) {
    const long long product = static_cast<long long>(number) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

}  // namespace

DialogBaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average over the 52 Latin letters, rounded.
    const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(letters / 26 + 1) / 2, metrics.height()};
}

int DialogUnitsToPixelsX(int units, DialogBaseUnits base) { return MulDiv(units, base.x, 4); }

int DialogUnitsToPixelsY(int units, DialogBaseUnits base) { return MulDiv(units, base.y, 8); }

QRect MapDialogRect(const DialogUnitRect& rect, DialogBaseUnits base) {
    const int left = DialogUnitsToPixelsX(rect.x, base);
    const int top = DialogUnitsToPixelsY(rect.y, base);
    const int right = DialogUnitsToPixelsX(rect.x + rect.width, base);
    const int bottom = DialogUnitsToPixelsY(rect.y + rect.height, base);
    return QRect(left, top, right - left, bottom - top);
}

}  // namespace veldmark
