// Conversions between the component's UTF-16 texts and Qt's strings.
#pragma once

#include <QString>

#include "host/com.h"

namespace veldmark {

inline QString ToQString(const kfx::Text& text) { return QString::fromStdU16String(text); }
inline kfx::Text ToText(const QString& text) { return text.toStdU16String(); }

}  // namespace veldmark
