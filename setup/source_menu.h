// The source menu of a setting or a catalogue field: "Text Constant",
// "No Mapping", the document's index fields and the host value names.
#pragma once

#include "model/mapped_field.h"
#include "model/setup_model.h"
#include "setup/popup_menu.h"

namespace veldmark {

// Built afresh each time: the index fields are read from the host. The
// command ranges hold 255 index fields and 256 value names; longer lists are
// cut there and end in a disabled entry that says how many are left out, so
// that no entry ever carries a command of the other range.
PopupMenu BuildSourceMenu(const MappedField& field, const SetupModel& model);

}  // namespace veldmark
