#include "setup/win32/popup_menu_win32.h"

#include <string>

#include "setup/win32/win32_text.h"

namespace veldmark {
namespace {

// Names from the host are shown as they are: "&" is no mnemonic there.
std::wstring LiteralCaption(const kfx::Text& caption) {
    std::wstring literal;
    for (const char16_t c : caption) {
        literal += static_cast<wchar_t>(c);
        if (c == u'&') literal += L'&';
    }
    return literal;
}

HMENU Build(const std::vector<MenuEntry>& entries, bool literalCaptions) {
    HMENU menu = CreatePopupMenu();
    for (const MenuEntry& entry : entries) {
        const std::wstring caption =
            literalCaptions ? LiteralCaption(entry.caption) : std::wstring(WideOf(entry.caption));
        if (entry.isSubmenu) {
            AppendMenuW(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(Build(entry.submenu, true)),
                        caption.c_str());
            continue;
        }
        const UINT flags = MF_STRING | (entry.checked ? MF_CHECKED : MF_UNCHECKED) | (entry.enabled ? MF_ENABLED : MF_GRAYED);
        AppendMenuW(menu, flags, static_cast<UINT_PTR>(entry.command), caption.c_str());
    }
    return menu;
}

}  // namespace

std::optional<int> TrackPopupMenuAt(const PopupMenu& entries, POINT at, HWND owner) {
    HMENU menu = Build(entries, false);
    const BOOL command = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_NONOTIFY,
                                        at.x, at.y, 0, owner, nullptr);
    DestroyMenu(menu);  // and its submenus with it
    if (command == 0) return std::nullopt;
    return static_cast<int>(command);
}

}  // namespace veldmark
