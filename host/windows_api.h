// The Windows API as our Windows files include it; never included by a file
// that the Linux build compiles.
//
// Our shared names meet the Windows headers' macros in two ways. The result
// codes of host/com.h carry the prefix HR_, so they never collide. The host's
// operation SendMessage keeps the host's name: the Windows headers define it
// as a macro that picks SendMessageA or SendMessageW, which would rename the
// operation in a file that includes both. It is undefined here; our Windows
// files call the wide-character functions by their own names.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// The common controls: the settings sheet's property sheet and its pages.
#include <commctrl.h>

#undef SendMessage
// Likewise the shared sheet logic's PropertySheet: call PropertySheetW.
#undef PropertySheet
