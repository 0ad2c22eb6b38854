# Cross build for 32-bit Windows with mingw-w64:
#   cmake -S . -B build-windows-i686 -G Ninja
#         -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake
set(DAPPLE_MINGW_TRIPLE i686-w64-mingw32)
set(DAPPLE_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
