// The component's type library, embedded as data: library `Kessarin` 1.0,
// its two coclasses and the host interfaces they implement, with the
// dispatch identifiers of each member.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "host/com.h"

namespace veldmark {

struct TypeLibraryMember {
    const char* name;
    std::int32_t dispatchId;
};

struct TypeLibraryInterface {
    const char* name;
    kfx::Guid iid;
    std::span<const TypeLibraryMember> members;
};

struct TypeLibraryCoclass {
    const char* name;
    kfx::Guid clsid;
    const TypeLibraryInterface* defaultInterface;
};

struct TypeLibrary {
    const char* name;
    kfx::Guid libraryId;
    std::uint16_t majorVersion;
    std::uint16_t minorVersion;
    std::uint32_t locale;
    std::span<const TypeLibraryInterface> interfaces;
    std::span<const TypeLibraryCoclass> coclasses;
};

const TypeLibrary& KessarinTypeLibrary();

}  // namespace veldmark
