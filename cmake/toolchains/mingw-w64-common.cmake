# What both Windows toolchains share; VELDMARK_MINGW_TRIPLE and VELDMARK_WINE
# are set by the file that includes this one.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${VELDMARK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELDMARK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VELDMARK_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VELDMARK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Linked statically: a program that misses libstdc++-6.dll under Wine ends
# with exit code 53 and no message.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)
set(CMAKE_MODULE_LINKER_FLAGS_INIT -static)
# ctest runs the test programs through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${VELDMARK_WINE})
