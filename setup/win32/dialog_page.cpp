#include "setup/win32/dialog_page.h"

namespace veldmark {

DialogPage::DialogPage(HINSTANCE module, int templateId) : module_(module), templateId_(templateId) {}

PROPSHEETPAGEW DialogPage::Describe(Sheet& sheet) {
    sheet_ = &sheet;
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT;  // the tab shows the template's caption
    page.hInstance = module_;
    page.pszTemplate = MAKEINTRESOURCEW(templateId_);
    page.pfnDlgProc = &DialogPage::DialogProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

INT_PTR CALLBACK DialogPage::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* page = reinterpret_cast<DialogPage*>(reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam);
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(page));
        page->window_ = window;
        return TRUE;  // the sheet sets the focus when the page becomes active
    }
    auto* page = reinterpret_cast<DialogPage*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!page) return FALSE;
    if (message == WM_NOTIFY) return page->OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    LRESULT result = 0;
    if (!page->OnMessage(message, wParam, lParam, result)) return FALSE;
    SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR DialogPage::OnNotify(const NMHDR& header) {
    LRESULT result = 0;
    switch (header.code) {
    case PSN_SETACTIVE: sheet_->OnPageSetActive(*this); break;
    case PSN_KILLACTIVE: result = sheet_->OnPageKillActive(*this) ? FALSE : TRUE; break;
    case PSN_APPLY: result = sheet_->OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE; break;
    case PSN_RESET: sheet_->OnReset(); break;
    default: {
        LRESULT handled = 0;
        if (!OnMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header), handled)) return FALSE;
        result = handled;
    }
    }
    SetWindowLongPtrW(window_, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace veldmark
