# Compiler settings shared by every target of one configuration.
#
# QUILLON_HOST is ON in the native configuration: only the portable libraries
# (no windows.h), built with sanitizers, plus the libFuzzer targets.

set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
  set(CMAKE_C_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
endif()

add_compile_options(-Wall -Wextra -Wno-unused-parameter)

# QUILLON_SANITIZERS=OFF: an optimised native build without sanitizers, for
# the benchmarks that run natively.
option(QUILLON_SANITIZERS "Native build with sanitizers" ON)
if(QUILLON_HOST AND NOT QUILLON_SANITIZERS)
  add_compile_options(-O2)
  set(QUILLON_FUZZ_SUPPORTED OFF)
elseif(QUILLON_HOST)
  set(QUILLON_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_compile_options(${QUILLON_SANITIZE} -g -O1)
  add_link_options(${QUILLON_SANITIZE})
  set(QUILLON_FUZZ_SUPPORTED OFF)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    set(QUILLON_FUZZ_SUPPORTED ON)
  endif()
else()
  add_compile_definitions(WIN32 _WIN32_WINNT=0x0601 WINVER=0x0601 _CRT_SECURE_NO_WARNINGS)
  add_compile_options(-O2 -g1)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86")
    # Floating point in SSE2 registers at double precision, as at 64 bits:
    # x87's extended precision truncates results such as 190 - 5000 * 0.017
    # to one less. Windows calls back into us with the stack aligned to 4
    # bytes only, hence the realignment where SSE values are spilled.
    add_compile_options(-msse2 -mfpmath=sse -mstackrealign)
  endif()
  # Every EXE and DLL carries libgcc, libstdc++ and winpthread inside, so only
  # system DLLs are needed on the target machine.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
