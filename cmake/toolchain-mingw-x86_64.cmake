# Cross build for 64-bit Windows with mingw-w64:
#   cmake -S . -B build-windows-x86_64 -G Ninja
#         -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86_64.cmake
set(DAPPLE_MINGW_TRIPLE x86_64-w64-mingw32)
set(DAPPLE_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
