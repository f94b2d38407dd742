// The component's icons (warning, command-link arrows, error, information,
// shield), drawn at the size asked for, and the icons a task dialog's
// configuration names.
#pragma once

#include <QPixmap>

#include "setup/task_dialog/task_dialog_config.h"

namespace veldmark {

// One of the component's icon resources; a null pixmap for an identifier the
// component does not have.
QPixmap ComponentIcon(int id, int size);

// A configuration's icon: a standard icon, a resource of the configuration's
// module, or (when useHandle) a QIcon passed by address. Null when it cannot be loaded.
QPixmap TaskDialogIconPixmap(const TaskDialogConfig& config, const TaskDialogIcon& icon, bool useHandle, int size);

// Whether the configuration names an icon at all.
bool HasTaskDialogIcon(const TaskDialogIcon& icon, bool useHandle);

}  // namespace veldmark
