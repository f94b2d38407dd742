// A property page of the Win32 sheet: a dialog made from the component's
// template, whose messages reach the page object that owns it.
#pragma once

#include "host/windows_api.h"

#include "setup/property_page.h"

namespace veldmark {

class DialogPage : public PropertyPage {
public:
    // What the sheet hears from its pages' notifications.
    class Sheet {
    public:
        virtual void OnPageSetActive(DialogPage& page) = 0;
        virtual bool OnPageKillActive(DialogPage& page) = 0;
        virtual bool OnApply() = 0;
        virtual void OnReset() = 0;

    protected:
        ~Sheet() = default;
    };

    DialogPage(HINSTANCE module, int templateId);

    // The page's entry for PropertySheetW.
    PROPSHEETPAGEW Describe(Sheet& sheet);
    HWND Window() const { return window_; }

protected:
    // A message of the page's dialog; true when handled (the result is then in result).
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnNotify(const NMHDR& header);

    HINSTANCE module_;
    int templateId_;
    Sheet* sheet_ = nullptr;
    HWND window_ = nullptr;
};

}  // namespace veldmark
