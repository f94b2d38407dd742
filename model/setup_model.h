// What the settings sheet edits while it is open: the six connector settings,
// the field catalogue, and the names of the host values the document class
// offers. Loaded from the host's setup data and written back to it as links.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/release_setup_data.h"
#include "model/field_catalogue.h"
#include "model/mapped_field.h"

namespace veldmark {

enum SettingSlot : std::size_t {
    SlotServerName = 0,
    SlotUserName = 1,
    SlotPassword = 2,
    SlotApiLibrary = 3,
    SlotCodepage = 4,
    SlotReplacementChar = 5,
};

constexpr std::size_t kSettingCount = 6;

// The link destination under which each setting is stored, in slot order.
constexpr std::array<const char16_t*, kSettingCount> kSettingKeys = {
    u"serverName", u"username", u"password", u"APILibrary", u"SanitiseCodepage", u"SanitiseReplacementChar",
};

class SetupModel {
public:
    // The model reads the host through the script's own member each time, so
    // it neither owns nor releases the host object.
    explicit SetupModel(kfx::ComPtr<kfx::IReleaseSetupData>& setupData);

    SetupModel(const SetupModel&) = delete;
    SetupModel& operator=(const SetupModel&) = delete;

    MappedField& Setting(SettingSlot slot) { return settings[slot]; }

    // Fills the catalogue's descriptive members; leaves mappings alone.
    bool BuildFieldCatalogue();
    // Starting values: ConnectString, UserName, Password and three custom properties.
    void LoadSetupProperties();
    // Resets every catalogue mapping, then applies the stored links in order
    // (a later link with the same destination wins). False when the Links
    // collection or its count cannot be read.
    bool LoadLinks();
    // The host value names, in the host's order. False when they cannot be enumerated.
    bool LoadValueNames();
    // Replaces every stored link by the mapped catalogue fields, the six
    // settings and the fixed links. False when the links cannot be emptied.
    bool SaveLinks();

    std::array<MappedField, kSettingCount> settings;
    FieldCatalogue catalogue;
    kfx::ComPtr<kfx::IReleaseSetupData>& setupData;
    std::vector<Text> valueNames;
};

}  // namespace veldmark
