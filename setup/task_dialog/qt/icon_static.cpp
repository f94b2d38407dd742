#include "setup/task_dialog/qt/icon_static.h"

#include <QPainter>

namespace veldmark {

void CXTaskDialogIconStatic::SetPixmap(QPixmap pixmap) {
    pixmap_ = std::move(pixmap);
    update();
}

void CXTaskDialogIconStatic::paintEvent(QPaintEvent*) {
    if (pixmap_.isNull()) return;
    QPainter painter(this);
    painter.drawPixmap((width() - pixmap_.width()) / 2, (height() - pixmap_.height()) / 2, pixmap_);
}

}  // namespace veldmark
