// The component's string table and menu resources.
#pragma once

#include <optional>
#include <span>

#include "host/com.h"

namespace veldmark {

using kfx::Text;

struct StringResource {
    int id;
    const char16_t* text;
};

// The whole string table, sorted by identifier.
std::span<const StringResource> ResourceStrings();

// The string with the given identifier, or nothing when the table lacks it.
std::optional<Text> FindResourceString(int id);

// The string with the given identifier; "???" when the table lacks it.
Text LoadResourceString(int id);

struct MenuResourceItem {
    int command;
    const char16_t* caption;
};

struct MenuResourcePopup {
    const char16_t* caption;
    std::span<const MenuResourceItem> items;
};

struct MenuResource {
    int id;
    std::span<const MenuResourcePopup> popups;
};

// Every menu resource of the component.
std::span<const MenuResource> MenuResources();

// The popups of a menu resource; empty when there is no such menu.
std::span<const MenuResourcePopup> FindMenuResource(int id);

// A module whose string table a dialog may load texts from.
class ResourceModule {
public:
    virtual std::optional<Text> FindString(int id) const = 0;

protected:
    ~ResourceModule() = default;
};

// The component's own resources.
const ResourceModule& ComponentResourceModule();

}  // namespace veldmark
