#include "setup/task_dialog/qt/icon_resources.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>

#include "setup/resource_ids.h"

namespace veldmark {
namespace {

QPixmap Canvas(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void PaintWarning(QPainter& painter, qreal s) {
    QPainterPath triangle;
    triangle.moveTo(s * 0.5, s * 0.06);
    triangle.lineTo(s * 0.97, s * 0.92);
    triangle.lineTo(s * 0.03, s * 0.92);
    triangle.closeSubpath();
    painter.setPen(QPen(QColor(150, 110, 0), std::max(1.0, s / 20), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient fill(0, 0, 0, s);
    fill.setColorAt(0, QColor(255, 230, 90));
    fill.setColorAt(1, QColor(245, 190, 0));
    painter.setBrush(fill);
    painter.drawPath(triangle);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 30, 30));
    painter.drawRoundedRect(QRectF(s * 0.44, s * 0.3, s * 0.12, s * 0.36), s * 0.05, s * 0.05);
    painter.drawEllipse(QRectF(s * 0.435, s * 0.72, s * 0.13, s * 0.13));
}

void PaintArrow(QPainter& painter, qreal s, bool hot) {
    QPainterPath arrow;
    arrow.moveTo(s * 0.08, s * 0.38);
    arrow.lineTo(s * 0.5, s * 0.38);
    arrow.lineTo(s * 0.5, s * 0.12);
    arrow.lineTo(s * 0.94, s * 0.5);
    arrow.lineTo(s * 0.5, s * 0.88);
    arrow.lineTo(s * 0.5, s * 0.62);
    arrow.lineTo(s * 0.08, s * 0.62);
    arrow.closeSubpath();
    painter.setPen(QPen(hot ? QColor(20, 150, 20) : QColor(20, 110, 20), std::max(1.0, s / 24)));
    painter.setBrush(hot ? QColor(80, 220, 60) : QColor(40, 170, 40));
    painter.drawPath(arrow);
}

void PaintDisc(QPainter& painter, qreal s, const QColor& outer, const QColor& inner) {
    QRadialGradient fill(s * 0.4, s * 0.35, s * 0.6);
    fill.setColorAt(0, inner);
    fill.setColorAt(1, outer);
    painter.setPen(QPen(outer.darker(130), std::max(1.0, s / 24)));
    painter.setBrush(fill);
    painter.drawEllipse(QRectF(s * 0.04, s * 0.04, s * 0.92, s * 0.92));
}

void PaintError(QPainter& painter, qreal s) {
    PaintDisc(painter, s, QColor(190, 20, 20), QColor(240, 90, 80));
    painter.setPen(QPen(Qt::white, s * 0.12, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(s * 0.33, s * 0.33), QPointF(s * 0.67, s * 0.67));
    painter.drawLine(QPointF(s * 0.67, s * 0.33), QPointF(s * 0.33, s * 0.67));
}

void PaintInformation(QPainter& painter, qreal s) {
    PaintDisc(painter, s, QColor(20, 80, 190), QColor(90, 150, 240));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(s * 0.43, s * 0.2, s * 0.14, s * 0.14));
    painter.drawRoundedRect(QRectF(s * 0.44, s * 0.41, s * 0.12, s * 0.38), s * 0.03, s * 0.03);
}

void PaintShield(QPainter& painter, qreal s) {
    QPainterPath shield;
    shield.moveTo(s * 0.5, s * 0.04);
    shield.lineTo(s * 0.9, s * 0.16);
    shield.cubicTo(s * 0.9, s * 0.6, s * 0.75, s * 0.82, s * 0.5, s * 0.96);
    shield.cubicTo(s * 0.25, s * 0.82, s * 0.1, s * 0.6, s * 0.1, s * 0.16);
    shield.closeSubpath();
    painter.setPen(QPen(QColor(60, 60, 60), std::max(1.0, s / 24)));
    painter.setBrush(QColor(40, 90, 200));
    painter.drawPath(shield);
    painter.save();
    painter.setClipPath(shield);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 200, 30));
    painter.drawRect(QRectF(s * 0.5, 0, s * 0.5, s * 0.5));
    painter.drawRect(QRectF(0, s * 0.5, s * 0.5, s * 0.5));
    painter.restore();
}

// The component's own icon for a standard icon value.
int StandardIconResource(std::uint16_t id) {
    switch (id) {
    case td::kWarningIcon: return res::kIconWarning;
    case td::kErrorIcon: return res::kIconError;
    case td::kInformationIcon: return res::kIconInformation;
    case td::kShieldIcon: return res::kIconShield;
    default: return 0;
    }
}

}  // namespace

QPixmap ComponentIcon(int id, int size) {
    QPixmap pixmap = Canvas(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    switch (id) {
    case res::kIconWarning: PaintWarning(painter, s); break;
    case res::kIconArrow: PaintArrow(painter, s, false); break;
    case res::kIconArrowHot: PaintArrow(painter, s, true); break;
    case res::kIconError: PaintError(painter, s); break;
    case res::kIconInformation: PaintInformation(painter, s); break;
    case res::kIconShield: PaintShield(painter, s); break;
    default: return QPixmap();
    }
    return pixmap;
}

bool HasTaskDialogIcon(const TaskDialogIcon& icon, bool useHandle) {
    return useHandle ? icon.handle != nullptr : icon.resourceId != 0;
}

QPixmap TaskDialogIconPixmap(const TaskDialogConfig& config, const TaskDialogIcon& icon, bool useHandle, int size) {
    if (useHandle) {
        if (!icon.handle) return QPixmap();
        return static_cast<const QIcon*>(icon.handle)->pixmap(size, size);
    }
    if (const int standard = StandardIconResource(icon.resourceId)) return ComponentIcon(standard, size);
    // Only the component's own module carries icons here.
    if (config.instance != &ComponentResourceModule()) return QPixmap();
    return ComponentIcon(icon.resourceId, size);
}

}  // namespace veldmark
