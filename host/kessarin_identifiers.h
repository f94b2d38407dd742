// The component's fixed identifiers and those of the host interfaces it
// implements, as uuid texts: the one source of the C++ declarations and of
// the type library's IDL, which includes this file. Macros only, so that the
// IDL compiler reads it too.
#pragma once

// The interfaces the host drives the component through.
#define KESSARIN_IID_IKFXRELEASESCRIPT D0B556C8-975C-4D36-B855-0DD1AB0B6255
#define KESSARIN_IID_IKFXRELEASESETUPSCRIPT 5F5E61B2-0B35-4616-BABE-3DCDC12D5E11

// The component's own: its classes, its AppID and its type library.
#define KESSARIN_CLSID_BRINMOOREXPORTCONNECTOR 8CCE8A8A-E1FB-4339-B534-7C5334257103
#define KESSARIN_CLSID_TARVELSETUPSCRIPT F4A06580-974F-41FE-9C17-FD56FC82A348
#define KESSARIN_APPID E837DF09-4ED7-4694-AB2A-79002B53E643
#define KESSARIN_LIBID B1E5B292-A65A-4E58-B9BD-EF1E4369EAF8

// "8CCE8A8A-..." as a string literal, for kfx::GuidLiteral.
#define KESSARIN_UUID_TEXT(uuid) KESSARIN_UUID_TEXT_(uuid)
#define KESSARIN_UUID_TEXT_(uuid) #uuid
