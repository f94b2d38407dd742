// Measures the task dialog's texts with Qt's font metrics, the way the
// dialog's labels and command links draw them.
#pragma once

#include <QFont>

#include "setup/task_dialog/task_dialog_layout.h"

namespace veldmark {

class QtTextMeasurer final : public TextMeasurer {
public:
    QtTextMeasurer(QFont normal, QFont large);

    PixelSize Measure(TaskDialogFont font, const kfx::Text& text, int wrapWidth, bool caption) const override;

    // The flags text is drawn with, so that drawing and measuring agree.
    static int DrawFlags(int wrapWidth, bool caption);

private:
    QFont normal_;
    QFont large_;
};

// The dialog's large font: the normal one, one and a half times as high.
QFont LargeFontOf(const QFont& normal);

}  // namespace veldmark
