#include "setup/task_dialog/qt/qt_text_measurer.h"

#include <QFontInfo>
#include <QFontMetrics>

#include "setup/qt/qt_text.h"

namespace veldmark {

QtTextMeasurer::QtTextMeasurer(QFont normal, QFont large) : normal_(std::move(normal)), large_(std::move(large)) {}

int QtTextMeasurer::DrawFlags(int wrapWidth, bool caption) {
    return (wrapWidth > 0 ? Qt::TextWordWrap : Qt::TextSingleLine) | (caption ? Qt::TextShowMnemonic : 0);
}

PixelSize QtTextMeasurer::Measure(TaskDialogFont font, const kfx::Text& text, int wrapWidth, bool caption) const {
    const QFontMetrics metrics(font == TaskDialogFont::Large ? large_ : normal_);
    const int width = wrapWidth > 0 ? wrapWidth : 1 << 20;
    const QRect bounds = metrics.boundingRect(QRect(0, 0, width, 1 << 20), DrawFlags(wrapWidth, caption), ToQString(text));
    return {bounds.width(), bounds.height()};
}

QFont LargeFontOf(const QFont& normal) {
    QFont large = normal;
    large.setPixelSize(QFontInfo(normal).pixelSize() * 3 / 2);
    return large;
}

}  // namespace veldmark
