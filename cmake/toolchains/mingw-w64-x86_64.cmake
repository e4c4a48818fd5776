# Cross build for 64-bit Windows with Debian's MinGW-w64 toolchain (POSIX threads variant).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config sees the target's packages only, never the host's (its MPFR above all).
set(ENV{PKG_CONFIG_LIBDIR} /usr/x86_64-w64-mingw32/lib/pkgconfig)
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# Everything linked in (libgcc, libstdc++, winpthread), so a program needs no DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Tests (and their discovery) run under Wine's 64-bit loader (Debian keeps it out of PATH).
find_program(ZANVORO_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(ZANVORO_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZANVORO_WINE64})
endif()
