// The Win32 settings sheet driven by messages, as an administrator drives
// it, inside RunUI's modal loop, over a document class kept in a file. The
// program carries the sheet's resources, as the component does.
#include "host/windows_api.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "host/release_script.h"
#include "host_standin/com_object.h"
#include "host_standin/document_class_file.h"
#include "host_standin/release_setup_data.h"
#include "setup/resource_ids.h"
#include "setup/resources.h"
#include "setup/setup_script.h"
#include "setup/win32/win32_settings_sheet_runner.h"

namespace veldmark {
namespace {

using namespace std::chrono_literals;

// A step of a script: true when it has done its work, false to be tried again
// on the next tick (a window it needs has not shown yet).
using Step = std::function<bool()>;

// Runs the steps one per tick of a thread timer, which ticks inside every
// modal loop (the sheet's, a message box's, a menu's).
class Script {
public:
    explicit Script(std::deque<Step> steps) : steps_(std::move(steps)) {
        active_ = this;
        deadline_ = std::chrono::steady_clock::now() + 20s;
        timer_ = SetTimer(nullptr, 0, 20, &Script::Tick);
    }
    ~Script() {
        KillTimer(nullptr, timer_);
        active_ = nullptr;
    }
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    bool Finished() const { return steps_.empty(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        Script* script = active_;
        if (!script || script->running_ || script->steps_.empty()) return;
        script->running_ = true;
        // A step may open a modal loop (a message box) whose ticks come back here.
        Step step = script->steps_.front();
        const bool done = step();
        if (done && !script->steps_.empty()) script->steps_.pop_front();
        script->running_ = false;
        if (!done && std::chrono::steady_clock::now() > script->deadline_) {
            ADD_FAILURE() << "a window the script waits for did not show";
            script->steps_.clear();
            EndEverything();
        }
    }

    // Closes what the thread shows, so that a failed test ends.
    static void EndEverything() { EnumThreadWindows(GetCurrentThreadId(), CancelWindow, 0); }

    // Enumeration callbacks take the platform's calling convention (stdcall on x86).
    static BOOL CALLBACK CancelWindow(HWND window, LPARAM) {
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    }

    static inline Script* active_ = nullptr;
    std::deque<Step> steps_;
    std::chrono::steady_clock::time_point deadline_;
    UINT_PTR timer_ = 0;
    bool running_ = false;
};

std::wstring Wide(const kfx::Text& text) { return std::wstring(text.begin(), text.end()); }

const std::wstring kTitle = L"Veldmark Export Connector for System21 Setup";

std::wstring TextOfWindow(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

struct TitledDialogSearch {
    bool sheet;
    HWND found;
};

BOOL CALLBACK MatchTitledDialog(HWND window, LPARAM data) {
    auto& wanted = *reinterpret_cast<TitledDialogSearch*>(data);
    const bool tabs = FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr) != nullptr;
    if (IsWindowVisible(window) && TextOfWindow(window) == kTitle && tabs == wanted.sheet) {
        wanted.found = window;
        return FALSE;
    }
    return TRUE;
}

// The thread's visible dialog with the sheet's title: the sheet itself (with
// its tabs) or a message box over it (without).
HWND FindTitledDialog(bool sheet) {
    TitledDialogSearch search{sheet, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchTitledDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Sheet() { return FindTitledDialog(true); }
HWND Page() { return reinterpret_cast<HWND>(SendMessageW(Sheet(), PSM_GETCURRENTPAGEHWND, 0, 0)); }
HWND Item(int id) { return GetDlgItem(Page(), id); }

// The box's text replaced, as typing over a selection does: the box reports the change.
Step Type(int id, std::wstring text) {
    return [id, text] {
        if (!Sheet()) return false;
        SetFocus(Item(id));
        SendMessageW(Item(id), EM_SETSEL, 0, -1);
        SendMessageW(Item(id), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
        return true;
    };
}

// The focus moves on to another box, as Tab moves it. Posted: a message box
// that leaving the box shows runs its loop after the step, where the script's
// next ticks can answer it.
Step LeaveTo(int id) {
    return [id] {
        PostMessageW(Sheet(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
        return true;
    };
}

BOOL CALLBACK TakeStaticText(HWND child, LPARAM data) {
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    const std::wstring text = TextOfWindow(child);
    if (_wcsicmp(name, L"Static") != 0 || text.empty()) return TRUE;
    *reinterpret_cast<std::wstring*>(data) = text;
    return FALSE;
}

// The message a message box shows: its static text that is not empty.
std::wstring MessageOf(HWND box) {
    std::wstring message;
    EnumChildWindows(box, TakeStaticText, reinterpret_cast<LPARAM>(&message));
    return message;
}

// Answers the message box that shows, noting its text.
Step AnswerMessageBox(std::wstring& text) {
    return [&text] {
        HWND box = FindTitledDialog(false);
        if (!box) return false;
        text = MessageOf(box);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    };
}

Step Check(std::function<void()> check) {
    return [check] {
        check();
        return true;
    };
}

Step Press(int button) {
    return [button] {
        if (!Sheet()) return false;
        PostMessageW(Sheet(), PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
        return true;
    };
}

// Clicks the "..." button and drives its menu with the keys, posted behind
// the click so that the menu's loop reads them.
Step ChooseFromMenu(int button, std::vector<WPARAM> keys) {
    return [button, keys] {
        if (!Sheet()) return false;
        PostMessageW(Page(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(Item(button)));
        for (const WPARAM key : keys) PostMessageW(Page(), WM_KEYDOWN, key, 0);
        return true;
    };
}

class StoredClass {
public:
    StoredClass() {
        std::random_device random;
        directory_ = std::filesystem::temp_directory_path() / ("veldmark-win32-sheet-" + std::to_string(random()));
        std::filesystem::create_directories(directory_);
        file_ = directory_ / "class.json";
        standin::DocumentClass stored;
        stored.batchClassName = u"AP Invoices";
        stored.documentClassName = u"Supplier Invoice";
        stored.releaseScriptName = u"System21 export";
        stored.connectString = u"sqlite:db";
        stored.indexFields = {{u"Invoice Number", u""}, {u"Supplier", u""}};
        stored.hostValueNames = {u"Batch Name"};
        standin::SaveDocumentClass(file_, stored);
    }
    ~StoredClass() {
        std::error_code ignored;
        std::filesystem::remove_all(directory_, ignored);
    }

    // Runs the setup script's RunUI with the Win32 sheet while the steps drive it.
    kfx::KfxReturnValue Run(std::deque<Step> steps) {
        const std::filesystem::path file = file_;
        const auto setupData = standin::MakeHostObject<standin::ReleaseSetupData>(
            nullptr, standin::LoadDocumentClass(file_),
            [file](const standin::DocumentClass& edited) { standin::SaveDocumentClass(file, edited); });
        void* object = nullptr;
        EXPECT_EQ(TarvelSetupScript::Create(nullptr, kfx::IID_IKfxReleaseSetupScript, &object,
                                            std::make_unique<Win32SettingsSheetRunner>()),
                  kfx::HR_S_OK);
        const auto script =
            kfx::ComPtr<kfx::IKfxReleaseSetupScript>::Adopt(static_cast<kfx::IKfxReleaseSetupScript*>(object));
        script->putref_SetupData(setupData.Get());
        const Script driver(std::move(steps));
        kfx::KfxReturnValue result = kfx::KFX_REL_ERROR;
        EXPECT_EQ(script->RunUI(&result), kfx::HR_S_OK);
        EXPECT_TRUE(driver.Finished()) << "the sheet closed before the script ended";
        return result;
    }

    standin::DocumentClass Reload() const { return standin::LoadDocumentClass(file_); }

private:
    std::filesystem::path directory_;
    std::filesystem::path file_;
};

// The setting's stored link, by the name the document class keeps it under.
standin::LinkRecord StoredSetting(const standin::DocumentClass& stored, std::u16string_view key) {
    const auto found = std::ranges::find(stored.links, key, &standin::LinkRecord::destination);
    return found == stored.links.end() ? standin::LinkRecord{} : *found;
}

TEST(Win32SheetTest, TypedSettingsAndTheInstanceNameAreStoredOnOk) {
    StoredClass stored;
    stored.Run({
        Type(res::kEditServerName, L"sqlite:other"),
        Type(res::kEditUserName, L"buyer"),
        Type(res::kEditReplacementChar, L"#x"),
        Check([] { EXPECT_EQ(TextOfWindow(Item(res::kEditReplacementChar)), L"#"); }),
        Type(res::kEditInstanceName, L"AP export"),
        Press(PSBTN_OK),
    });
    const standin::DocumentClass after = stored.Reload();
    EXPECT_EQ(after.releaseScriptName, u"AP export");
    EXPECT_EQ(StoredSetting(after, u"serverName"),
              (standin::LinkRecord{u"sqlite:other", kfx::KFX_REL_TEXTCONSTANT, u"serverName"}));
    EXPECT_EQ(StoredSetting(after, u"username").source, u"buyer");
    EXPECT_EQ(StoredSetting(after, u"SanitiseReplacementChar").source, u"#");
}

TEST(Win32SheetTest, TheCodepageBoxAcceptsOnlyWindowsCodePagesWhenItIsLeft) {
    const struct {
        std::wstring typed;
        bool accepted;
    } cases[] = {{L"1252", true}, {L"0", false}, {L"99999", false}, {L"abc", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.typed.begin(), c.typed.end()));
        StoredClass stored;
        std::wstring message;
        std::deque<Step> steps{Type(res::kEditCodepage, c.typed), LeaveTo(res::kEditReplacementChar)};
        if (!c.accepted) steps.push_back(AnswerMessageBox(message));
        steps.push_back(Check([&c, &message] {
            EXPECT_EQ(TextOfWindow(Item(res::kEditCodepage)), c.accepted ? c.typed : L"");
            EXPECT_EQ(message, c.accepted ? L"" : Wide(LoadResourceString(res::kStringInvalidCodepage)));
        }));
        steps.push_back(Press(PSBTN_OK));
        stored.Run(std::move(steps));
        const standin::DocumentClass after = stored.Reload();
        EXPECT_EQ(StoredSetting(after, u"SanitiseCodepage").source,
                  c.accepted ? std::u16string(c.typed.begin(), c.typed.end()) : u"");
    }
}

TEST(Win32SheetTest, AnIndexFieldChosenFromTheSourceMenuIsStored) {
    StoredClass stored;
    const kfx::Text field = stored.Reload().indexFields.front().name;
    // "Text Constant", "No Mapping", then the index fields' submenu, whose first entry is chosen.
    stored.Run({ChooseFromMenu(res::kButtonServerNameSource, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN}),
                Check([] { EXPECT_FALSE(IsWindowEnabled(Item(res::kEditServerName))); }), Press(PSBTN_OK)});
    const standin::LinkRecord link = StoredSetting(stored.Reload(), u"serverName");
    EXPECT_EQ(link.sourceType, kfx::KFX_REL_INDEXFIELD);
    EXPECT_EQ(link.source, field);
}

TEST(Win32SheetTest, CancelWritesNothing) {
    StoredClass stored;
    const standin::DocumentClass before = stored.Reload();
    stored.Run({Type(res::kEditServerName, L"sqlite:other"), Type(res::kEditInstanceName, L"changed"),
                Press(PSBTN_CANCEL)});
    EXPECT_EQ(stored.Reload(), before);
}

}  // namespace
}  // namespace veldmark
