# Cross build of the whole Windows tree for x86_64, so that its tests run under
# 64-bit Wine on machines that cannot execute 32-bit code. Not shipped.
set(QUILLON_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(QUILLON_WINE_LOADER /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
