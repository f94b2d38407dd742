#include "model/setup_model.h"

#include <string>

#include "host/kfx_types.h"
#include "model/custom_property.h"

namespace veldmark {
namespace {

// Written by every save so that release can find the document's original
// file; never shown on the sheet.
struct FixedLink {
    const char16_t* source;
    std::int32_t sourceType;
    const char16_t* destination;
};

constexpr FixedLink kFixedLinks[] = {
    {u"OriginalFolder", kfx::KFX_REL_BATCHFIELD, u"OriginalFolder"},
    {u"First Page Original File Name", kfx::KFX_REL_VARIABLE, u"OriginalFileName"},
    {u"OriginalFileNameExt", kfx::KFX_REL_BATCHFIELD, u"OriginalFileNameExt"},
};

// A failed read leaves the text empty.
template <class Object>
Text ReadText(Object* object, kfx::HRESULT (Object::*getter)(Text*)) {
    Text text;
    if (kfx::Failed((object->*getter)(&text))) text.clear();
    return text;
}

// The text an enumerated host value name carries, as an automation text
// conversion would give it.
Text VariantText(const kfx::Variant& item) {
    if (item.IsText()) return item.AsText();
    if (item.IsInteger()) {
        const std::string digits = std::to_string(item.Integer());
        return Text(digits.begin(), digits.end());
    }
    return Text();
}

kfx::ComPtr<kfx::IBatchVariableNames> BatchVariableNamesOf(kfx::IReleaseSetupData* setupData) {
    kfx::ComPtr<kfx::IUnknown> object;
    if (kfx::Failed(setupData->get_BatchVariableNames(object.Put())) || !object) return {};
    kfx::ComPtr<kfx::IBatchVariableNames> names;
    if (kfx::Succeeded(kfx::QueryInterfaceAs(object.Get(), kfx::IID_IBatchVariableNames, names)) && names)
        return names;
    if (kfx::Succeeded(kfx::QueryInterfaceAs(object.Get(), kfx::IID_IBatchVariableNamesLegacy, names)) && names)
        return names;
    return {};
}

}  // namespace

SetupModel::SetupModel(kfx::ComPtr<kfx::IReleaseSetupData>& setupData) : setupData(setupData) {
    // Every setting starts as an empty text constant, so that its box can be
    // typed into on a document class that has never been set up.
    for (MappedField& setting : settings) setting.sourceType = kfx::KFX_REL_TEXTCONSTANT;
}

bool SetupModel::BuildFieldCatalogue() { return veldmark::BuildFieldCatalogue(catalogue); }

void SetupModel::LoadSetupProperties() {
    kfx::IReleaseSetupData* host = setupData.Get();
    if (!host) return;

    settings[SlotServerName].source = ReadText(host, &kfx::IReleaseSetupData::get_ConnectString);
    settings[SlotServerName].sourceType = kfx::KFX_REL_TEXTCONSTANT;
    settings[SlotUserName].source = ReadText(host, &kfx::IReleaseSetupData::get_UserName);
    settings[SlotUserName].sourceType = kfx::KFX_REL_TEXTCONSTANT;
    settings[SlotPassword].source = ReadText(host, &kfx::IReleaseSetupData::get_Password);
    settings[SlotPassword].sourceType = kfx::KFX_REL_TEXTCONSTANT;

    static constexpr std::pair<const char16_t*, SettingSlot> kCustomProperties[] = {
        {u"serverAPILibrary", SlotApiLibrary},
        {u"SanitiseCodepage", SlotCodepage},
        {u"SanitiseReplacementChar", SlotReplacementChar},
    };
    for (const auto& [name, slot] : kCustomProperties) {
        kfx::ComPtr<kfx::ICustomProperties> properties;
        if (kfx::Failed(host->get_CustomProperties(properties.Put())) || !properties) continue;
        Text value;
        if (!ReadCustomProperty(properties.Get(), name, value)) continue;
        settings[slot].source = value;
        settings[slot].sourceType = kfx::KFX_REL_TEXTCONSTANT;
    }
}

bool SetupModel::LoadLinks() {
    for (MappedField& slot : catalogue) {
        slot.sourceType = kfx::KFX_REL_UNDEFINED_LINK;
        slot.source.clear();
    }

    kfx::IReleaseSetupData* host = setupData.Get();
    if (!host) return false;
    kfx::ComPtr<kfx::ILinks> links;
    if (kfx::Failed(host->get_Links(links.Put())) || !links) return false;
    std::int32_t count = 0;
    if (kfx::Failed(links->get_Count(&count))) return false;

    for (std::int32_t position = 1; position <= count; ++position) {
        kfx::ComPtr<kfx::ILink> link;
        if (kfx::Failed(links->get_Item(kfx::Variant(position), link.Put())) || !link) continue;
        Text destination;
        if (kfx::Failed(link->get_Destination(&destination))) continue;

        MappedField* target = nullptr;
        for (std::size_t slot = 0; slot < kSettingCount && !target; ++slot) {
            if (destination == kSettingKeys[slot]) target = &settings[slot];
        }
        if (!target) {
            if (const auto slot = FindCatalogueSlot(catalogue, destination)) target = &catalogue[*slot];
        }
        if (!target) continue;

        target->source = ReadText(link.Get(), &kfx::ILink::get_Source);
        std::int32_t sourceType = kfx::KFX_REL_UNDEFINED_LINK;
        if (kfx::Failed(link->get_SourceType(&sourceType))) sourceType = kfx::KFX_REL_UNDEFINED_LINK;
        target->sourceType = sourceType;
    }
    return true;
}

bool SetupModel::LoadValueNames() {
    valueNames.clear();
    kfx::IReleaseSetupData* host = setupData.Get();
    if (!host) return false;
    const kfx::ComPtr<kfx::IBatchVariableNames> names = BatchVariableNamesOf(host);
    if (!names) return false;

    kfx::ComPtr<kfx::IUnknown> enumeratorObject;
    if (kfx::Failed(names->get__NewEnum(enumeratorObject.Put())) || !enumeratorObject) return false;
    kfx::ComPtr<kfx::IEnumVARIANT> enumerator;
    if (kfx::Failed(kfx::QueryInterfaceAs(enumeratorObject.Get(), kfx::IID_IEnumVARIANT, enumerator)) || !enumerator)
        return false;

    kfx::Variant item;
    while (enumerator->Next(&item) == kfx::HR_S_OK) {
        valueNames.push_back(VariantText(item));
        item = kfx::Variant();
    }
    return true;
}

bool SetupModel::SaveLinks() {
    kfx::IReleaseSetupData* host = setupData.Get();
    if (!host) return false;
    kfx::ComPtr<kfx::ILinks> links;
    if (kfx::Failed(host->get_Links(links.Put())) || !links) return false;
    if (kfx::Failed(links->RemoveAll())) return false;

    // A failed Add does not stop the save: the rest is still worth keeping.
    for (const MappedField& slot : catalogue) {
        if (slot.sourceType == kfx::KFX_REL_UNDEFINED_LINK || slot.source.empty()) continue;
        links->Add(slot.source, slot.sourceType, slot.destination);
    }
    for (std::size_t slot = 0; slot < kSettingCount; ++slot) {
        links->Add(settings[slot].source, settings[slot].sourceType, kSettingKeys[slot]);
    }
    for (const FixedLink& fixed : kFixedLinks) links->Add(fixed.source, fixed.sourceType, fixed.destination);
    return true;
}

}  // namespace veldmark
