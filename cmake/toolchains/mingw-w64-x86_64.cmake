# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix threads).
# GLOUTON_CROSS_PREFIX, when given, is where tools/cross/build-sdl.sh installed
# the SDL libraries for this target.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES GLOUTON_CROSS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
if(GLOUTON_CROSS_PREFIX)
  list(PREPEND CMAKE_FIND_ROOT_PATH ${GLOUTON_CROSS_PREFIX})
endif()
# Programs run on the build machine; libraries, headers and packages come from the target's roots.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
