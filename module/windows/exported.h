// How the component exports its entry points: kessarin.def names them.
#pragma once

#define VELDMARK_EXPORT extern "C"
