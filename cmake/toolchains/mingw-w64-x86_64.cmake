# Windows x64 with mingw-w64's posix-thread compilers; the programs run under
# 64-bit Wine.
set(VELDMARK_MINGW_TRIPLE x86_64-w64-mingw32)
set(VELDMARK_WINE /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
