# Shared part of the mingw-w64 cross toolchains. The including file sets
# DAPPLE_MINGW_TRIPLE (x86_64-w64-mingw32 or i686-w64-mingw32) and
# DAPPLE_MINGW_ARCH (x86_64 or i686) first.
#
# The -posix compilers are the ones with std::thread. Everything is linked
# statically, so that the plug-in modules, the core DLL and the test programs
# need no compiler runtime DLLs beside them (under Wine or on a user's
# machine).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${DAPPLE_MINGW_ARCH})

set(CMAKE_C_COMPILER ${DAPPLE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DAPPLE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${DAPPLE_MINGW_TRIPLE}-windres)

# Libraries we build ourselves for the target (libjpeg, GoogleTest) live in
# the repository's ignored cache folder; the scripts in scripts/ fill it.
get_filename_component(DAPPLE_REPOSITORY_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
if(DEFINED ENV{DAPPLE_MINGW_PREFIX})
  set(DAPPLE_MINGW_PREFIX $ENV{DAPPLE_MINGW_PREFIX})
else()
  set(DAPPLE_MINGW_PREFIX ${DAPPLE_REPOSITORY_ROOT}/.cache/mingw-${DAPPLE_MINGW_ARCH})
endif()

set(CMAKE_FIND_ROOT_PATH /usr/${DAPPLE_MINGW_TRIPLE} ${DAPPLE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# zlib as libz.a rather than the import library of zlib1.dll.
set(ZLIB_USE_STATIC_LIBS ON)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# ctest runs the test programs through Wine. scripts/wine-run.sh prepares the
# Wine prefix and a display and then calls ctest.
find_program(DAPPLE_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(DAPPLE_WINE AND DAPPLE_MINGW_ARCH STREQUAL "x86_64")
  set(CMAKE_CROSSCOMPILING_EMULATOR ${DAPPLE_WINE})
endif()
