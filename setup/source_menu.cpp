#include "setup/source_menu.h"

#include <algorithm>
#include <string>

#include "host/kfx_types.h"
#include "setup/command_ids.h"
#include "setup/message_format.h"
#include "setup/resource_ids.h"
#include "setup/resources.h"

namespace veldmark {
namespace {

Text DecimalText(std::size_t number) {
    const std::string digits = std::to_string(number);
    return Text(digits.begin(), digits.end());
}

MenuEntry NotListedEntry(int stringId, std::size_t count) {
    MenuEntry entry;
    const Text inserts[] = {DecimalText(count)};
    entry.caption = FormatMessageText(LoadResourceString(stringId), inserts);
    entry.enabled = false;
    return entry;
}

MenuEntry Submenu(int captionId) {
    MenuEntry entry;
    entry.caption = LoadResourceString(captionId);
    entry.isSubmenu = true;
    return entry;
}

// Absent when the host gives no IndexFields collection; an unreadable count
// makes an empty submenu.
std::optional<MenuEntry> IndexFieldSubmenu(const MappedField& field, const SetupModel& model) {
    kfx::IReleaseSetupData* host = model.setupData.Get();
    if (!host) return std::nullopt;
    kfx::ComPtr<kfx::IIndexFields> fields;
    if (kfx::Failed(host->get_IndexFields(fields.Put())) || !fields) return std::nullopt;
    std::int32_t count = 0;
    if (kfx::Failed(fields->get_Count(&count))) count = 0;

    const bool mappedToIndexField = field.sourceType == kfx::KFX_REL_INDEXFIELD;
    MenuEntry submenu = Submenu(res::kStringIndexFieldsMenu);
    const std::int32_t listed = std::min<std::int32_t>(count, static_cast<std::int32_t>(kMaxListedIndexFields));
    for (std::int32_t position = 1; position <= listed; ++position) {
        kfx::ComPtr<kfx::IIndexField> item;
        if (kfx::Failed(fields->get_Item(kfx::Variant(position), item.Put())) || !item) continue;
        MenuEntry entry;
        if (kfx::Failed(item->get_Name(&entry.caption))) entry.caption.clear();
        entry.command = kIndexFieldCommandBase + position;
        entry.checked = mappedToIndexField && entry.caption == field.source;
        submenu.submenu.push_back(std::move(entry));
    }
    if (count > listed) submenu.submenu.push_back(NotListedEntry(res::kStringIndexFieldsNotListed, count - listed));
    return submenu;
}

std::optional<MenuEntry> ValueNameSubmenu(const SetupModel& model) {
    if (model.valueNames.empty()) return std::nullopt;
    MenuEntry submenu = Submenu(res::kStringValueNamesMenu);
    const std::size_t listed = std::min(model.valueNames.size(), kMaxListedValueNames);
    for (std::size_t index = 0; index < listed; ++index) {
        MenuEntry entry;
        entry.caption = model.valueNames[index];
        entry.command = kValueNameCommandBase + static_cast<int>(index);
        submenu.submenu.push_back(std::move(entry));
    }
    if (model.valueNames.size() > listed)
        submenu.submenu.push_back(NotListedEntry(res::kStringValueNamesNotListed, model.valueNames.size() - listed));
    return submenu;
}

}  // namespace

PopupMenu BuildSourceMenu(const MappedField& field, const SetupModel& model) {
    PopupMenu menu;
    const auto popups = FindMenuResource(res::kMenuSource);
    if (!popups.empty()) {
        for (const MenuResourceItem& item : popups.front().items) {
            MenuEntry entry;
            entry.caption = item.caption;
            entry.command = item.command;
            entry.checked = (item.command == kCommandNoMapping && field.sourceType == kfx::KFX_REL_UNDEFINED_LINK) ||
                            (item.command == kCommandTextConstant && field.sourceType == kfx::KFX_REL_TEXTCONSTANT);
            menu.push_back(std::move(entry));
        }
    }
    if (auto submenu = IndexFieldSubmenu(field, model)) menu.push_back(std::move(*submenu));
    if (auto submenu = ValueNameSubmenu(model)) menu.push_back(std::move(*submenu));
    return menu;
}

}  // namespace veldmark
