#include "setup/source_choice.h"

#include "host/kfx_types.h"
#include "setup/command_ids.h"

namespace veldmark {

bool SelectIndexField(MappedField& field, const SetupModel& model, int position) {
    kfx::IReleaseSetupData* host = model.setupData.Get();
    if (!host) return false;
    kfx::ComPtr<kfx::IIndexFields> fields;
    if (kfx::Failed(host->get_IndexFields(fields.Put())) || !fields) return false;
    kfx::ComPtr<kfx::IIndexField> item;
    if (kfx::Failed(fields->get_Item(kfx::Variant(position), item.Put())) || !item) return false;
    Text name;
    if (kfx::Failed(item->get_Name(&name))) return false;
    field.source = std::move(name);
    field.sourceType = kfx::KFX_REL_INDEXFIELD;
    return true;
}

bool SelectValueName(MappedField& field, const SetupModel& model, std::size_t index) {
    if (index >= model.valueNames.size()) return false;
    field.source = model.valueNames[index];
    field.sourceType = kfx::KFX_REL_VARIABLE;
    return true;
}

bool SelectTextConstant(MappedField& field) {
    field.source.clear();
    field.sourceType = kfx::KFX_REL_TEXTCONSTANT;
    return true;
}

bool SelectNoMapping(MappedField& field) {
    field.source.clear();
    field.sourceType = kfx::KFX_REL_UNDEFINED_LINK;
    return true;
}

bool ApplySourceCommand(MappedField& field, const SetupModel& model, int command) {
    if (command == kCommandTextConstant) return SelectTextConstant(field);
    if (command == kCommandNoMapping) return SelectNoMapping(field);
    if (const auto position = IndexFieldPosition(command)) return SelectIndexField(field, model, *position);
    if (const auto index = ValueNameIndex(command)) return SelectValueName(field, model, *index);
    return false;
}

}  // namespace veldmark
