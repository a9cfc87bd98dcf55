# Shared by the two mingw-w64 toolchain files, which set QUILLON_MINGW_PREFIX,
# CMAKE_SYSTEM_PROCESSOR and QUILLON_WINE_LOADER first (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${QUILLON_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILLON_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${QUILLON_MINGW_PREFIX}-windres)
set(CMAKE_AR           /usr/bin/${QUILLON_MINGW_PREFIX}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB       /usr/bin/${QUILLON_MINGW_PREFIX}-ranlib CACHE FILEPATH "")
set(QUILLON_OBJDUMP    /usr/bin/${QUILLON_MINGW_PREFIX}-objdump CACHE FILEPATH "")
set(QUILLON_OBJCOPY    /usr/bin/${QUILLON_MINGW_PREFIX}-objcopy CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${QUILLON_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test programs run under Wine, through the loader of their own width: Debian's
# `wine` wrapper would start the 32-bit loader whenever it is installed. The
# wrapper hands ctest their output once they end (see the script).
set(CMAKE_CROSSCOMPILING_EMULATOR /bin/sh ${CMAKE_CURRENT_LIST_DIR}/wine-test-run.sh ${QUILLON_WINE_LOADER})
