// What a chosen source-menu entry does to the setting or field it was opened for.
#pragma once

#include "model/mapped_field.h"
#include "model/setup_model.h"

namespace veldmark {

// The index field at the 1-based position becomes the source (type 0). The
// name is read again from the host by position. False and no change when the
// host cannot supply it.
bool SelectIndexField(MappedField& field, const SetupModel& model, int position);
// The value name at the 0-based index becomes the source (type 2). False and
// no change for an index outside the list.
bool SelectValueName(MappedField& field, const SetupModel& model, std::size_t index);
// An empty text constant (type 1), even when it held one before.
bool SelectTextConstant(MappedField& field);
// No mapping (type -1).
bool SelectNoMapping(MappedField& field);

// Dispatches a menu command to one of the four; false for any other command.
bool ApplySourceCommand(MappedField& field, const SetupModel& model, int command);

}  // namespace veldmark
