# Sourced by the scripts that build: the build trees under one build root and
# how each is configured, so that every script configures a tree the same way.
#
# trees_configure_host DIR              native, portable libraries with sanitizers and fuzz targets
# trees_configure_bench DIR             native, optimised without sanitizers, for benchmarks
# trees_configure_windows DIR WIDTH TESTS
#                                       the Windows tree of a width (i686 or x86_64) whose
#                                       Windows tests ctest runs or not (ON or OFF)
#
# Configured every time: a component folder joins the build when its
# CMakeLists.txt appears, which no build file depends on.

trees_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Paths inside the clone are hashed relative to it, so a fresh clone elsewhere
# (as CI makes) reuses the compiler cache of earlier builds.
export CCACHE_BASEDIR=$trees_root CCACHE_NOHASHDIR=1
# Precompiled headers are cacheable only when their defines and time macros
# are not part of the hash.
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime

trees_configure() { # dir, extra args
  local dir=$1
  shift
  cmake -S "$trees_root" -B "$dir" -G Ninja "$@" >/dev/null
}

trees_configure_host() { # dir
  trees_configure "$1" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_HOST=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
}

trees_configure_bench() { # dir
  trees_configure "$1" -DCMAKE_BUILD_TYPE=Release -DQUILLON_HOST=ON -DQUILLON_SANITIZERS=OFF \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
}

trees_configure_windows() { # dir, i686 | x86_64, ON | OFF
  local toolchain=$trees_root/cmake/toolchain-mingw32.cmake
  [ "$2" = x86_64 ] && toolchain=$trees_root/cmake/toolchain-mingw64.cmake
  trees_configure "$1" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQUILLON_WINDOWS_TESTS="$3"
}
