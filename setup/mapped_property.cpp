#include "setup/mapped_property.h"

#include "host/kfx_types.h"
#include "setup/command_ids.h"
#include "setup/mapping_page.h"
#include "setup/source_choice.h"
#include "setup/source_menu.h"

namespace veldmark {

CMappedProperty::CMappedProperty(SetupModel* model, CMappedProperty** menuSlot, CPropertyPageSetupMapping* page)
    : model_(model), menuSlot_(menuSlot), page_(page) {}

const MappedField* CMappedProperty::Slot() const {
    if (!model_ || fieldIndex_ < 0 || static_cast<std::size_t>(fieldIndex_) >= model_->catalogue.size())
        return nullptr;
    return &model_->catalogue[static_cast<std::size_t>(fieldIndex_)];
}

MappedField* CMappedProperty::MutableSlot() { return const_cast<MappedField*>(Slot()); }

Text CMappedProperty::DisplayedName() const {
    const MappedField* slot = Slot();
    if (!slot) return Text();
    return page_->DisplayFieldNames() ? slot->destination : slot->label;
}

RowPresentation CMappedProperty::Presentation() const {
    RowPresentation presentation;
    const MappedField* slot = Slot();
    if (!slot) return presentation;
    presentation.name = DisplayedName();
    presentation.value = slot->source;
    presentation.editable = slot->sourceType == kfx::KFX_REL_TEXTCONSTANT;
    presentation.description = slot->destination + u" - " + slot->sqlType + u"\n" + slot->description;
    presentation.descriptionTitle = slot->label;
    presentation.required = slot->required;
    return presentation;
}

void CMappedProperty::Refresh() {
    if (!Slot() || !view_) return;
    view_->Present(Presentation());
}

void CMappedProperty::OpenSourceMenu() {
    const MappedField* slot = Slot();
    if (!slot || !view_) return;
    const PopupMenu menu = BuildSourceMenu(*slot, *model_);
    *menuSlot_ = this;
    if (const std::optional<int> command = view_->TrackSourceMenu(menu)) page_->OnCommand(*command);
}

bool CMappedProperty::SelectIndexField(int command) {
    MappedField* slot = MutableSlot();
    if (!slot || !veldmark::SelectIndexField(*slot, *model_, command - kIndexFieldCommandBase)) return false;
    Refresh();
    return true;
}

bool CMappedProperty::SelectValueName(int command) {
    MappedField* slot = MutableSlot();
    if (!slot || command < kValueNameCommandBase) return false;
    if (!veldmark::SelectValueName(*slot, *model_, static_cast<std::size_t>(command - kValueNameCommandBase)))
        return false;
    Refresh();
    return true;
}

bool CMappedProperty::SelectTextConstant() {
    MappedField* slot = MutableSlot();
    if (!slot) return false;
    veldmark::SelectTextConstant(*slot);
    Refresh();
    return true;
}

bool CMappedProperty::SelectNoMapping() {
    MappedField* slot = MutableSlot();
    if (!slot) return false;
    veldmark::SelectNoMapping(*slot);
    Refresh();
    return true;
}

void CMappedProperty::OnEndEdit(const Text& value) {
    if (MappedField* slot = MutableSlot()) slot->source = value;
}

}  // namespace veldmark
