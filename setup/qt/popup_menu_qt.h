// Shows a page's popup menu with Qt and reports the command chosen.
#pragma once

#include <optional>

#include <QPoint>

#include "setup/popup_menu.h"

class QWidget;

namespace veldmark {

// Opens the menu with its top-left corner at the global position, owned by
// the widget, and returns when it closes: the chosen command, if any.
std::optional<int> ExecPopupMenu(const PopupMenu& menu, const QPoint& globalPosition, QWidget* owner);

}  // namespace veldmark
