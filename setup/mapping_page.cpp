#include "setup/mapping_page.h"

#include "host/kfx_types.h"
#include "setup/command_ids.h"
#include "setup/message_format.h"
#include "setup/resource_ids.h"
#include "setup/resources.h"

namespace veldmark {
namespace {

// The group row a catalogue slot goes under; Hidden slots get none.
std::size_t GroupIndex(std::int32_t group) {
    switch (group) {
    case Header: return 0;
    case LineItem: return 1;
    default: return 2;
    }
}

bool IsUnmapped(const MappedField& field) {
    return field.sourceType == kfx::KFX_REL_UNDEFINED_LINK ||
           (field.sourceType == kfx::KFX_REL_TEXTCONSTANT && field.source.empty());
}

}  // namespace

CPropertyPageSetupMapping::CPropertyPageSetupMapping(RequiredFieldPrompt prompt) : prompt_(std::move(prompt)) {}

void CPropertyPageSetupMapping::OnInitDialog() {
    view_->WriteDisplayFieldNames(displayFieldNames_ != 0);
    view_->SetRedraw(false);

    std::vector<PropertyGroup> groups(3);
    groups[0].caption = LoadResourceString(res::kStringHeaderGroup);
    groups[1].caption = LoadResourceString(res::kStringLineItemGroup);
    groups[2].caption = LoadResourceString(res::kStringOtherGroup);
    for (std::size_t index = 0; index < model_->catalogue.size(); ++index) {
        const MappedField& slot = model_->catalogue[index];
        if (slot.group == Hidden) continue;
        auto row = std::make_unique<CMappedProperty>(model_, &menuProperty_, this);
        row->SetFieldIndex(static_cast<int>(index));
        groups[GroupIndex(slot.group)].rows.push_back(std::move(row));
    }
    for (PropertyGroup& group : groups) {
        if (!group.rows.empty()) groups_.push_back(std::move(group));
    }
    view_->AddGroups(groups_);
    RefreshRows();
    view_->SetRedraw(true);
}

void CPropertyPageSetupMapping::OnSetActive() {
    if (model_) view_->WriteDisplayFieldNames(displayFieldNames_ != 0);
}

bool CPropertyPageSetupMapping::OnKillActive() {
    for (const PropertyGroup& group : groups_) {
        for (const auto& row : group.rows) {
            const MappedField* slot = row->Slot();
            if (!slot || !slot->required || !IsUnmapped(*slot)) continue;

            const Text inserts[] = {row->DisplayedName()};
            const int choice =
                prompt_(LoadResourceString(res::kStringRequiredTitle),
                        FormatMessageText(LoadResourceString(res::kStringRequiredInstruction)),
                        FormatMessageText(LoadResourceString(res::kStringMapRequired), inserts),
                        LoadResourceString(res::kStringIgnoreRequirement));
            if (choice == 2) {
                displayFieldNames_ = view_->ReadDisplayFieldNames() ? 1 : 0;
                return true;
            }
            view_->SelectRow(group, *row);
            return false;
        }
    }
    displayFieldNames_ = view_->ReadDisplayFieldNames() ? 1 : 0;
    return true;
}

void CPropertyPageSetupMapping::OnDisplayFieldNamesClicked() {
    displayFieldNames_ = view_->ReadDisplayFieldNames() ? 1 : 0;
    view_->SetRedraw(false);
    RefreshRows();
    view_->SetRedraw(true);
}

void CPropertyPageSetupMapping::OnCommand(int command) {
    CMappedProperty* row = menuProperty_;
    if (!row) return;
    if (IndexFieldPosition(command)) {
        row->SelectIndexField(command);
    } else if (ValueNameIndex(command)) {
        row->SelectValueName(command);
    } else if (command == kCommandTextConstant) {
        row->SelectTextConstant();
    } else if (command == kCommandNoMapping) {
        row->SelectNoMapping();
    }
    menuProperty_ = nullptr;
}

void CPropertyPageSetupMapping::RefreshRows() {
    for (const PropertyGroup& group : groups_) {
        for (const auto& row : group.rows) row->Refresh();
    }
}

}  // namespace veldmark
