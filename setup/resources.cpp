#include "setup/resources.h"

#include <algorithm>
#include <iterator>

#include "setup/command_ids.h"
#include "setup/resource_ids.h"

namespace veldmark {
namespace {

// Sorted by identifier.
constexpr StringResource kStrings[] = {
    {res::kStringSheetTitle, u"Veldmark Export Connector for System21 Setup"},
    {res::kStringButtonOk, u"OK"},
    {res::kStringButtonYes, u"&Yes"},
    {res::kStringButtonNo, u"&No"},
    {res::kStringButtonRetry, u"&Retry"},
    {res::kStringButtonCancel, u"Cancel"},
    {res::kStringButtonClose, u"&Close"},
    {res::kStringRequiredTitle, u"Required field not Mapped"},
    {res::kStringRequiredInstruction,
     u"One or more fields that are marked as 'Required' have not been mapped. What would you like to do?"},
    {res::kStringMapRequired,
     u"Map Required Fields\nReturn to the dialog and map the required fields, beginning with '%1'."},
    {res::kStringIgnoreRequirement,
     u"Ignore Requirement\nDo not map the Required fields and close this dialog immediately."},
    {res::kStringInvalidCodepage, u"Invalid Codepage, please refer to the Userguide."},
    {res::kStringIndexFieldsMenu, u"Document Index Fields"},
    {res::kStringValueNamesMenu, u"Kofax Capture Values"},
    {res::kStringPropertyColumn, u"Property"},
    {res::kStringValueColumn, u"Value"},
    {res::kStringHeaderGroup, u"Header Details"},
    {res::kStringLineItemGroup, u"Line Item Details"},
    {res::kStringOtherGroup, u"Other Details"},
    {res::kStringIndexFieldsNotListed, u"%1 more index fields cannot be listed"},
    {res::kStringValueNamesNotListed, u"%1 more Kofax Capture Values cannot be listed"},
};

constexpr MenuResourceItem kSourceMenuItems[] = {
    {kCommandTextConstant, u"Text Constant"},
    {kCommandNoMapping, u"No Mapping"},
};

constexpr MenuResourcePopup kSourceMenu[] = {
    {u"Source", kSourceMenuItems},
};

constexpr MenuResource kMenus[] = {
    {res::kMenuSource, kSourceMenu},
};

}  // namespace

std::span<const StringResource> ResourceStrings() { return kStrings; }

std::optional<Text> FindResourceString(int id) {
    const auto found = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                        [](const StringResource& entry, int wanted) { return entry.id < wanted; });
    if (found == std::end(kStrings) || found->id != id) return std::nullopt;
    return Text(found->text);
}

Text LoadResourceString(int id) { return FindResourceString(id).value_or(u"???"); }

const ResourceModule& ComponentResourceModule() {
    struct ComponentModule final : ResourceModule {
        std::optional<Text> FindString(int id) const override { return FindResourceString(id); }
    };
    static const ComponentModule module;
    return module;
}

std::span<const MenuResource> MenuResources() { return kMenus; }

std::span<const MenuResourcePopup> FindMenuResource(int id) {
    for (const MenuResource& menu : kMenus) {
        if (menu.id == id) return menu.popups;
    }
    return {};
}

}  // namespace veldmark
