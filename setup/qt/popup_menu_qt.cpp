#include "setup/qt/popup_menu_qt.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>
#include <QStyleOption>

#include "setup/qt/qt_text.h"

namespace veldmark {
namespace {

// Names from the host are shown as they are: "&" is no mnemonic there.
QString LiteralCaption(const kfx::Text& caption) { return ToQString(caption).replace(u'&', QStringLiteral("&&")); }

// A checked entry shows a plain check mark, as the platform's menus do, and
// an unchecked one nothing, where the toolkit's style would draw check boxes.
class MenuCheckMarkStyle final : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_IndicatorCheckBox || !qobject_cast<const QMenu*>(widget)) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        if (!(option->state & State_On)) return;
        const QRectF box = QRectF(option->rect).adjusted(2, 2, -2, -2);
        QPainterPath tick;
        tick.moveTo(box.left(), box.center().y());
        tick.lineTo(box.left() + box.width() * 0.38, box.bottom() - box.height() * 0.12);
        tick.lineTo(box.right(), box.top() + box.height() * 0.15);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const QPalette::ColorRole role = option->state & State_Selected ? QPalette::HighlightedText : QPalette::Text;
        painter->setPen(QPen(option->palette.color(role), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->drawPath(tick);
        painter->restore();
    }
};

void Fill(QMenu& target, const std::vector<MenuEntry>& entries, bool literalCaptions, QStyle& style) {
    target.setStyle(&style);
    for (const MenuEntry& entry : entries) {
        const QString caption = literalCaptions ? LiteralCaption(entry.caption) : ToQString(entry.caption);
        if (entry.isSubmenu) {
            QMenu* submenu = target.addMenu(caption);
            Fill(*submenu, entry.submenu, true, style);
            continue;
        }
        QAction* action = target.addAction(caption);
        action->setData(entry.command);
        action->setEnabled(entry.enabled);
        action->setCheckable(entry.checked);
        action->setChecked(entry.checked);
    }
}

}  // namespace

std::optional<int> ExecPopupMenu(const PopupMenu& menu, const QPoint& globalPosition, QWidget* owner) {
    MenuCheckMarkStyle style;
    QMenu popup(owner);
    Fill(popup, menu, false, style);
    const QAction* chosen = popup.exec(globalPosition);
    if (!chosen || !chosen->data().isValid()) return std::nullopt;
    return chosen->data().toInt();
}

}  // namespace veldmark
