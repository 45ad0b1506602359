# SPDX-License-Identifier: MIT
# Cross-build for 64-bit Windows with mingw-w64. The posix thread model gives a working
# std::mutex (GoogleTest needs it); everything is linked statically, so the executable runs
# with no DLL of the compiler beside it. Programs built here run under Wine, through the
# emulator, wherever CMake or CTest would run them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VORNIKAT_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VORNIKAT_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VORNIKAT_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VORNIKAT_MINGW_TRIPLET}-windres)
# The resource script is UTF-8.
set(CMAKE_RC_FLAGS_INIT "-c 65001")

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

set(CMAKE_FIND_ROOT_PATH /usr/${VORNIKAT_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
