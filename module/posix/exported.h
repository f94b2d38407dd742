// How the component exports its entry points: by name, the only symbols the
// shared library shows.
#pragma once

#define VELDMARK_EXPORT extern "C" __attribute__((visibility("default")))
