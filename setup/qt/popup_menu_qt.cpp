#include "setup/qt/popup_menu_qt.h"

#include <QAction>
#include <QMenu>

#include "setup/qt/qt_text.h"

namespace veldmark {
namespace {

// Names from the host are shown as they are: "&" is no mnemonic there.
QString LiteralCaption(const kfx::Text& caption) { return ToQString(caption).replace(u'&', QStringLiteral("&&")); }

void Fill(QMenu& target, const std::vector<MenuEntry>& entries, bool literalCaptions) {
    for (const MenuEntry& entry : entries) {
        const QString caption = literalCaptions ? LiteralCaption(entry.caption) : ToQString(entry.caption);
        if (entry.isSubmenu) {
            QMenu* submenu = target.addMenu(caption);
            Fill(*submenu, entry.submenu, true);
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
    QMenu popup(owner);
    Fill(popup, menu, false);
    const QAction* chosen = popup.exec(globalPosition);
    if (!chosen || !chosen->data().isValid()) return std::nullopt;
    return chosen->data().toInt();
}

}  // namespace veldmark
