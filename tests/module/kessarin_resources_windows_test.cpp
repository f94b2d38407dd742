// Kessarin.dll's dialogs, menu, strings and manifest, read back from the file
// as the sheet loads them, against the tables the pages are drawn from.
#include "host/windows_api.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "setup/dialog_templates.h"
#include "setup/resource_ids.h"
#include "setup/resources.h"

namespace veldmark {
namespace {

using Wide = std::u16string;

// RT_DIALOG and RT_MANIFEST, which the headers spell as narrow names in this build.
const wchar_t* const kDialogResourceType = MAKEINTRESOURCEW(5);
const wchar_t* const kManifestResourceType = MAKEINTRESOURCEW(24);

class ResourceFile {
public:
    ResourceFile()
        : module_(LoadLibraryExW(KESSARIN_DLL_WINDOWS_PATH, nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~ResourceFile() {
        if (module_) FreeLibrary(module_);
    }
    ResourceFile(const ResourceFile&) = delete;
    ResourceFile& operator=(const ResourceFile&) = delete;

    HMODULE Module() const { return module_; }

    std::vector<std::uint8_t> Bytes(const wchar_t* type, int id) const {
        HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(id), type);
        if (!found) return {};
        HGLOBAL loaded = LoadResource(module_, found);
        const auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
        return std::vector<std::uint8_t>(data, data + SizeofResource(module_, found));
    }

private:
    HMODULE module_;
};

// Reads a DLGTEMPLATEEX: the fields the pages rely on.
class TemplateReader {
public:
    explicit TemplateReader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

    template <class T>
    T Read() {
        T value{};
        if (at_ + sizeof value > bytes_.size()) throw std::out_of_range("template ends early");
        std::memcpy(&value, bytes_.data() + at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    // A string or, after 0xFFFF, an ordinal (returned as its number in text).
    Wide ReadStringOrOrdinal() {
        const auto first = Read<std::uint16_t>();
        if (first == 0xFFFF) return u"#" + AsText(Read<std::uint16_t>());
        Wide text;
        for (char16_t c = static_cast<char16_t>(first); c != 0; c = static_cast<char16_t>(Read<std::uint16_t>()))
            text += c;
        return text;
    }
    void AlignToDword() { at_ = (at_ + 3) & ~std::size_t{3}; }
    void Skip(std::size_t count) { at_ += count; }

private:
    static Wide AsText(unsigned number) {
        const std::string digits = std::to_string(number);
        return Wide(digits.begin(), digits.end());
    }

    const std::vector<std::uint8_t>& bytes_;
    std::size_t at_ = 0;
};

struct ReadControl {
    DWORD style;
    int x, y, width, height;
    int id;
    Wide windowClass;
    Wide text;
};

struct ReadDialog {
    DWORD style;
    int width, height;
    Wide caption;
    Wide font;
    std::vector<ReadControl> controls;
};

ReadDialog ParseDialog(const std::vector<std::uint8_t>& bytes) {
    TemplateReader reader(bytes);
    EXPECT_EQ(reader.Read<std::uint16_t>(), 1);       // dlgVer
    EXPECT_EQ(reader.Read<std::uint16_t>(), 0xFFFF);  // signature of the extended form
    reader.Read<DWORD>();                             // help identifier
    reader.Read<DWORD>();                             // extended style
    ReadDialog dialog{};
    dialog.style = reader.Read<DWORD>();
    const auto count = reader.Read<std::uint16_t>();
    reader.Skip(2 * sizeof(std::int16_t));
    dialog.width = reader.Read<std::int16_t>();
    dialog.height = reader.Read<std::int16_t>();
    reader.ReadStringOrOrdinal();  // menu
    reader.ReadStringOrOrdinal();  // class
    dialog.caption = reader.ReadStringOrOrdinal();
    if (dialog.style & DS_SETFONT) {
        reader.Read<std::uint16_t>();  // point size
        reader.Read<std::uint16_t>();  // weight
        reader.Read<std::uint8_t>();   // italic
        reader.Read<std::uint8_t>();   // character set
        dialog.font = reader.ReadStringOrOrdinal();
    }
    for (unsigned index = 0; index < count; ++index) {
        reader.AlignToDword();
        reader.Read<DWORD>();  // help identifier
        reader.Read<DWORD>();  // extended style
        ReadControl control{};
        control.style = reader.Read<DWORD>();
        control.x = reader.Read<std::int16_t>();
        control.y = reader.Read<std::int16_t>();
        control.width = reader.Read<std::int16_t>();
        control.height = reader.Read<std::int16_t>();
        control.id = static_cast<int>(reader.Read<std::int32_t>());
        control.windowClass = reader.ReadStringOrOrdinal();
        control.text = reader.ReadStringOrOrdinal();
        reader.Skip(reader.Read<std::uint16_t>());  // creation data
        dialog.controls.push_back(control);
    }
    return dialog;
}

// How each kind of control must come out: its class (predefined atoms, or the
// name) and the style bits that make it that kind.
struct KindCase {
    ControlKind kind;
    const char16_t* windowClass;
    DWORD typeMask;
    DWORD type;
    DWORD required;
};

constexpr KindCase kKindCases[] = {
    {ControlKind::Edit, u"#129", ES_PASSWORD, 0, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL},
    {ControlKind::PasswordEdit, u"#129", ES_PASSWORD, ES_PASSWORD, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL},
    {ControlKind::Label, u"#130", SS_TYPEMASK, SS_LEFT, 0},
    {ControlKind::RightLabel, u"#130", SS_TYPEMASK, SS_RIGHT, 0},
    {ControlKind::GroupBox, u"#128", BS_TYPEMASK, BS_GROUPBOX, 0},
    {ControlKind::PushButton, u"#128", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP},
    {ControlKind::Frame, u"#130", SS_TYPEMASK, SS_BLACKFRAME, 0},
    {ControlKind::CheckBox, u"#128", BS_TYPEMASK, BS_AUTOCHECKBOX, WS_TABSTOP},
};

const KindCase& CaseOf(ControlKind kind) {
    for (const KindCase& entry : kKindCases) {
        if (entry.kind == kind) return entry;
    }
    throw std::out_of_range("no case for a control kind");
}

Wide ClassName(const Wide& name) {
    // windres writes the predefined classes as atoms; a name would do as well.
    static const std::pair<const char16_t*, const char16_t*> kAtoms[] = {
        {u"Button", u"#128"}, {u"Edit", u"#129"}, {u"Static", u"#130"}};
    for (const auto& [spelled, atom] : kAtoms) {
        if (_wcsicmp(reinterpret_cast<const wchar_t*>(name.c_str()), reinterpret_cast<const wchar_t*>(spelled)) == 0)
            return atom;
    }
    return name;
}

TEST(KessarinResourcesTest, DllLoadsAsAResourceFile) {
    const ResourceFile file;
    ASSERT_NE(file.Module(), nullptr) << GetLastError();
}

TEST(KessarinResourcesTest, DialogTemplatesAreTheTablesPages) {
    const ResourceFile file;
    ASSERT_NE(file.Module(), nullptr);
    ASSERT_FALSE(DialogTemplates().empty());
    for (const DialogTemplate& table : DialogTemplates()) {
        SCOPED_TRACE(table.id);
        const std::vector<std::uint8_t> bytes = file.Bytes(kDialogResourceType, table.id);
        ASSERT_FALSE(bytes.empty());
        const ReadDialog dialog = ParseDialog(bytes);
        EXPECT_EQ(dialog.caption, Wide(table.caption));
        EXPECT_EQ(dialog.width, table.width);
        EXPECT_EQ(dialog.height, table.height);
        EXPECT_EQ(dialog.font, u"MS Shell Dlg");
        // A property page is a child of the sheet, hidden until the sheet shows it.
        EXPECT_EQ(dialog.style & (WS_CHILD | WS_POPUP), static_cast<DWORD>(WS_CHILD));
        ASSERT_EQ(dialog.controls.size(), table.controls.size());
        for (std::size_t index = 0; index < table.controls.size(); ++index) {
            const DialogControl& expected = table.controls[index];
            const ReadControl& actual = dialog.controls[index];
            SCOPED_TRACE(expected.id);
            const KindCase& kind = CaseOf(expected.kind);
            EXPECT_EQ(actual.id, expected.id);
            EXPECT_EQ(ClassName(actual.windowClass), Wide(kind.windowClass));
            EXPECT_EQ(actual.style & kind.typeMask, kind.type);
            EXPECT_EQ(actual.style & kind.required, kind.required);
            EXPECT_EQ((actual.style & WS_VISIBLE) == 0, expected.hidden);
            EXPECT_EQ(actual.text, Wide(expected.text));
            EXPECT_EQ(actual.x, expected.rect.x);
            EXPECT_EQ(actual.y, expected.rect.y);
            EXPECT_EQ(actual.width, expected.rect.width);
            EXPECT_EQ(actual.height, expected.rect.height);
        }
    }
}

TEST(KessarinResourcesTest, StringTableIsTheTables) {
    const ResourceFile file;
    ASSERT_NE(file.Module(), nullptr);
    ASSERT_FALSE(ResourceStrings().empty());
    for (const StringResource& entry : ResourceStrings()) {
        const wchar_t* text = nullptr;
        const int length = LoadStringW(file.Module(), static_cast<UINT>(entry.id), reinterpret_cast<LPWSTR>(&text), 0);
        ASSERT_GT(length, 0) << entry.id;
        EXPECT_EQ(Wide(reinterpret_cast<const char16_t*>(text), static_cast<std::size_t>(length)), Wide(entry.text))
            << entry.id;
    }
}

TEST(KessarinResourcesTest, MenusAreTheTables) {
    const ResourceFile file;
    ASSERT_NE(file.Module(), nullptr);
    ASSERT_FALSE(MenuResources().empty());
    for (const MenuResource& table : MenuResources()) {
        SCOPED_TRACE(table.id);
        HMENU menu = LoadMenuW(file.Module(), MAKEINTRESOURCEW(table.id));
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(table.popups.size()));
        for (std::size_t index = 0; index < table.popups.size(); ++index) {
            const MenuResourcePopup& popup = table.popups[index];
            wchar_t caption[256] = {};
            GetMenuStringW(menu, static_cast<UINT>(index), caption, 256, MF_BYPOSITION);
            EXPECT_EQ(Wide(reinterpret_cast<const char16_t*>(caption)), Wide(popup.caption));
            HMENU items = GetSubMenu(menu, static_cast<int>(index));
            ASSERT_NE(items, nullptr);
            ASSERT_EQ(GetMenuItemCount(items), static_cast<int>(popup.items.size()));
            for (std::size_t item = 0; item < popup.items.size(); ++item) {
                EXPECT_EQ(GetMenuItemID(items, static_cast<int>(item)), static_cast<UINT>(popup.items[item].command));
                GetMenuStringW(items, static_cast<UINT>(item), caption, 256, MF_BYPOSITION);
                EXPECT_EQ(Wide(reinterpret_cast<const char16_t*>(caption)), Wide(popup.items[item].caption));
            }
        }
        DestroyMenu(menu);
    }
}

TEST(KessarinResourcesTest, ManifestAsksForCommonControlsSix) {
    const ResourceFile file;
    ASSERT_NE(file.Module(), nullptr);
    const std::vector<std::uint8_t> bytes = file.Bytes(kManifestResourceType, 2);
    const std::string manifest(bytes.begin(), bytes.end());
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
}

}  // namespace
}  // namespace veldmark
