// Shows a page's popup menu with TrackPopupMenu.
#pragma once

#include "host/windows_api.h"

#include <optional>

#include "setup/popup_menu.h"

namespace veldmark {

// Pops the menu up with its top left corner at the screen point; the command chosen, if any.
std::optional<int> TrackPopupMenuAt(const PopupMenu& menu, POINT at, HWND owner);

}  // namespace veldmark
