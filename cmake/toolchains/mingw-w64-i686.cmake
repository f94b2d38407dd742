# Windows x86 with mingw-w64's posix-thread compilers; the programs run under
# 32-bit Wine.
set(VELDMARK_MINGW_TRIPLE i686-w64-mingw32)
set(VELDMARK_WINE /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
