#include "setup/win32/win32_settings_sheet_runner.h"

#include <array>
#include <stdexcept>
#include <string>

#include "setup/property_sheet.h"
#include "setup/resource_ids.h"
#include "setup/win32/general_page_dialog.h"
#include "setup/win32/template_page_dialog.h"
#include "setup/win32/win32_text.h"

namespace veldmark {
namespace {

// The module whose resources hold the templates: the one this code is linked into.
HINSTANCE OwnModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&OwnModule), &module);
    return module;
}

// The common controls of version 6, which the module's manifest names, for the
// time the sheet is shown, whatever the host program's own manifest says.
class CommonControlsScope {
public:
    explicit CommonControlsScope(HMODULE module) {
        std::wstring path(MAX_PATH, L'\0');
        path.resize(GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size())));
        ACTCTXW context{};
        context.cbSize = sizeof context;
        context.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        context.hModule = module;
        context.lpSource = path.c_str();
        context.lpResourceName = MAKEINTRESOURCEW(2);
        context_ = CreateActCtxW(&context);
        if (context_ != INVALID_HANDLE_VALUE && !ActivateActCtx(context_, &cookie_)) cookie_ = 0;
    }
    ~CommonControlsScope() {
        if (cookie_) DeactivateActCtx(0, cookie_);
        if (context_ != INVALID_HANDLE_VALUE) ReleaseActCtx(context_);
    }
    CommonControlsScope(const CommonControlsScope&) = delete;
    CommonControlsScope& operator=(const CommonControlsScope&) = delete;

private:
    HANDLE context_ = INVALID_HANDLE_VALUE;
    ULONG_PTR cookie_ = 0;
};

// Forwards the property sheet's notifications to the shared sheet logic.
class Win32Sheet final : public DialogPage::Sheet {
public:
    Win32Sheet(HINSTANCE module, const kfx::Text& title, SetupModel& model)
        : general_(module, model, title), mapping_(module, res::kDialogMappingPage),
          // The property sheet control brings a page to the front itself.
          sheet_({&general_, &mapping_}, [](std::size_t) {}), title_(title), module_(module) {}

    bool Run() {
        std::array<PROPSHEETPAGEW, 2> pages{general_.Describe(*this), mapping_.Describe(*this)};
        PROPSHEETHEADERW header{};
        header.dwSize = sizeof header;
        header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP;
        header.hwndParent = GetActiveWindow();
        header.hInstance = module_;
        header.pszCaption = WideOf(title_);
        header.nPages = static_cast<UINT>(pages.size());
        header.ppsp = pages.data();
        // A sheet that cannot be shown (no desktop to show it on) fails the
        // setup; it is not a Cancel. Such a sheet may end without an error,
        // but then no page was ever brought up.
        const INT_PTR ended = PropertySheetW(&header);
        if (ended == -1 || !started_) {
            throw std::runtime_error("the settings sheet cannot be shown (PropertySheetW ended with " +
                                     std::to_string(ended) + ", error " + std::to_string(GetLastError()) + ")");
        }
        return accepted_;
    }

    void OnPageSetActive(DialogPage& page) override {
        const std::size_t index = IndexOf(page);
        if (!started_) {
            started_ = true;
            sheet_.Start();
            if (index == 0) return;
        }
        // The page left has agreed already (PSN_KILLACTIVE); asked again, it agrees again.
        sheet_.SetActivePage(index);
    }

    bool OnPageKillActive(DialogPage& page) override {
        if (closing_) return true;
        if (IndexOf(page) != sheet_.ActivePage()) return true;
        return page.OnKillActive();
    }

    bool OnApply() override {
        // Every created page hears PSN_APPLY; OK is pressed once.
        if (applied_) return true;
        if (!sheet_.PressOk()) return false;
        applied_ = true;
        accepted_ = true;
        closing_ = true;
        sheet_.Close();
        return true;
    }

    void OnReset() override {
        if (closing_) return;
        closing_ = true;
        sheet_.Close();
    }

private:
    std::size_t IndexOf(const DialogPage& page) const { return &page == &general_ ? 0 : 1; }

    GeneralPageDialog general_;
    TemplatePageDialog mapping_;
    PropertySheet sheet_;
    kfx::Text title_;
    HINSTANCE module_;
    bool started_ = false;
    bool applied_ = false;
    bool accepted_ = false;
    bool closing_ = false;
};

}  // namespace

bool Win32SettingsSheetRunner::Run(const kfx::Text& title, SetupModel& model) {
    const HINSTANCE module = OwnModule();
    const CommonControlsScope commonControls(module);
    Win32Sheet sheet(module, title, model);
    return sheet.Run();
}

}  // namespace veldmark
