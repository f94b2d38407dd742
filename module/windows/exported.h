// How the component exports its entry points: kessarin.def names them, with
// the platform's calling convention for them (stdcall on x86, where the
// linker then drops the decoration from the exported names).
#pragma once

#define VELDMARK_EXPORT extern "C" __attribute__((stdcall))
