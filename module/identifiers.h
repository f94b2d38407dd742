// The component's fixed identifiers; they never change between builds.
#pragma once

#include "host/com.h"
#include "host/kessarin_identifiers.h"

namespace veldmark {

inline constexpr kfx::Guid CLSID_BrinmoorExportConnector =
    kfx::GuidLiteral(KESSARIN_UUID_TEXT(KESSARIN_CLSID_BRINMOOREXPORTCONNECTOR));
inline constexpr kfx::Guid CLSID_TarvelSetupScript =
    kfx::GuidLiteral(KESSARIN_UUID_TEXT(KESSARIN_CLSID_TARVELSETUPSCRIPT));
inline constexpr kfx::Guid APPID_Kessarin = kfx::GuidLiteral(KESSARIN_UUID_TEXT(KESSARIN_APPID));
inline constexpr kfx::Guid LIBID_Kessarin = kfx::GuidLiteral(KESSARIN_UUID_TEXT(KESSARIN_LIBID));

}  // namespace veldmark
