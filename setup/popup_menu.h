// A popup menu as the pages describe it, before a toolkit shows it.
#pragma once

#include <vector>

#include "host/com.h"

namespace veldmark {

struct MenuEntry {
    kfx::Text caption;
    int command = 0;  // 0 for a submenu or an entry that cannot be chosen
    bool checked = false;
    bool enabled = true;
    bool isSubmenu = false;
    std::vector<MenuEntry> submenu;
};

using PopupMenu = std::vector<MenuEntry>;

}  // namespace veldmark
