#include "module/type_library.h"

#include "host/release_script.h"
#include "module/identifiers.h"

namespace veldmark {

namespace {

// Members number from 0x60020000 in declaration order; a property's get and
// put share one number.
constexpr std::array<TypeLibraryMember, 4> kReleaseScriptMembers{{
    {"OpenScript", 0x60020000},
    {"ReleaseDoc", 0x60020001},
    {"CloseScript", 0x60020002},
    {"DocumentData", 0x60020003},
}};

constexpr std::array<TypeLibraryMember, 5> kSetupScriptMembers{{
    {"OpenScript", 0x60020000},
    {"RunUI", 0x60020001},
    {"CloseScript", 0x60020002},
    {"ActionEvent", 0x60020003},
    {"SetupData", 0x60020004},
}};

constexpr std::array<TypeLibraryInterface, 2> kInterfaces{{
    {"IKfxReleaseScript", kfx::IID_IKfxReleaseScript, kReleaseScriptMembers},
    {"IKfxReleaseSetupScript", kfx::IID_IKfxReleaseSetupScript, kSetupScriptMembers},
}};

constexpr std::array<TypeLibraryCoclass, 2> kCoclasses{{
    {"BrinmoorExportConnector", CLSID_BrinmoorExportConnector, &kInterfaces[0]},
    {"TarvelSetupScript", CLSID_TarvelSetupScript, &kInterfaces[1]},
}};

constexpr TypeLibrary kTypeLibrary{"Kessarin", LIBID_Kessarin, 1, 0, 0x409, kInterfaces, kCoclasses};

}  // namespace

const TypeLibrary& KessarinTypeLibrary() { return kTypeLibrary; }

}  // namespace veldmark
