# Cross build of the shipped 32-bit Windows binaries with mingw-w64.
set(QUILLON_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(QUILLON_WINE_LOADER /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
