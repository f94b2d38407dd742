// Writes the settings sheet's dialogs, menus and strings as resource script
// text, from the same tables the pages are drawn from, so that the Windows
// resources cannot drift from them. Built for and run on the build machine.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "setup/dialog_templates.h"
#include "setup/resource_ids.h"
#include "setup/resources.h"

namespace {

using veldmark::ControlKind;

// A wide string literal: quotes doubled, control and non-ASCII characters escaped.
std::string Quoted(const char16_t* text) {
    std::string quoted = "L\"";
    for (const char16_t* at = text; *at; ++at) {
        const char16_t c = *at;
        if (c == u'"') {
            quoted += "\"\"";
        } else if (c == u'\\') {
            quoted += "\\\\";
        } else if (c == u'\n') {
            quoted += "\\n";
        } else if (c < 0x20 || c > 0x7e) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%04X", static_cast<unsigned>(c));
            quoted += escaped;
        } else {
            quoted += static_cast<char>(c);
        }
    }
    return quoted + "\"";
}

// The window class and style each kind of control is made of.
struct ControlForm {
    const char* windowClass;
    const char* style;
};

ControlForm FormOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::Edit: return {"\"Edit\"", "ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP"};
    case ControlKind::PasswordEdit:
        return {"\"Edit\"", "ES_LEFT | ES_AUTOHSCROLL | ES_PASSWORD | WS_BORDER | WS_TABSTOP"};
    case ControlKind::Label: return {"\"Static\"", "SS_LEFT"};
    case ControlKind::RightLabel: return {"\"Static\"", "SS_RIGHT"};
    case ControlKind::GroupBox: return {"\"Button\"", "BS_GROUPBOX"};
    case ControlKind::PushButton: return {"\"Button\"", "BS_PUSHBUTTON | WS_TABSTOP"};
    case ControlKind::Frame: return {"\"Static\"", "SS_BLACKFRAME"};
    case ControlKind::CheckBox: return {"\"Button\"", "BS_AUTOCHECKBOX | WS_TABSTOP"};
    }
    return {"\"Static\"", "SS_LEFT"};
}

void WriteDialogs(std::ostream& out) {
    for (const veldmark::DialogTemplate& dialog : veldmark::DialogTemplates()) {
        // Property pages: child windows the sheet shows, in the sheet's font.
        out << dialog.id << " DIALOGEX 0, 0, " << dialog.width << ", " << dialog.height << "\n"
            << "STYLE DS_SETFONT | DS_3DLOOK | WS_CHILD | WS_DISABLED | WS_CAPTION\n"
            << "CAPTION " << Quoted(dialog.caption) << "\n"
            << "FONT 8, \"MS Shell Dlg\", 400, 0, 0x1\n"
            << "BEGIN\n";
        for (const veldmark::DialogControl& control : dialog.controls) {
            const ControlForm form = FormOf(control.kind);
            out << "    CONTROL " << Quoted(control.text) << ", " << control.id << ", " << form.windowClass << ", "
                << form.style << " | WS_CHILD" << (control.hidden ? " | NOT WS_VISIBLE" : " | WS_VISIBLE") << ", " << control.rect.x
                << ", " << control.rect.y << ", " << control.rect.width << ", " << control.rect.height << "\n";
        }
        out << "END\n\n";
    }
}

void WriteMenus(std::ostream& out) {
    for (const veldmark::MenuResource& menu : veldmark::MenuResources()) {
        out << menu.id << " MENU\nBEGIN\n";
        for (const veldmark::MenuResourcePopup& popup : menu.popups) {
            out << "    POPUP " << Quoted(popup.caption) << "\n    BEGIN\n";
            for (const veldmark::MenuResourceItem& item : popup.items)
                out << "        MENUITEM " << Quoted(item.caption) << ", " << item.command << "\n";
            out << "    END\n";
        }
        out << "END\n\n";
    }
}

void WriteStrings(std::ostream& out) {
    out << "STRINGTABLE\nBEGIN\n";
    for (const veldmark::StringResource& entry : veldmark::ResourceStrings())
        out << "    " << entry.id << ", " << Quoted(entry.text) << "\n";
    out << "END\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: generate_resource_script OUTPUT.rc\n";
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << "// Generated from the settings sheet's tables; do not edit.\n"
        << "#include <windows.h>\n\n";
    WriteDialogs(out);
    WriteMenus(out);
    WriteStrings(out);
    out.close();
    if (!out) {
        std::cerr << "cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
