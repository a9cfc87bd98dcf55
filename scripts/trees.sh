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

# The parallel jobs for builds and test runs: one per core, but no more than
# memory allows at about 2 GiB per job (a sanitized test file or a link with
# debug information can take that), so that a machine with many cores and
# less memory per core does not kill compilers for lack of memory.
# QUILLON_JOBS=N overrides it.
trees_jobs() {
  if [ -n "${QUILLON_JOBS:-}" ]; then
    echo "$QUILLON_JOBS"
    return
  fi
  local cores kib limit
  cores=$(nproc)
  kib=$(awk '/^MemAvailable:/ { print $2 }' /proc/meminfo 2>/dev/null || true)
  limit=$(cat /sys/fs/cgroup/memory.max 2>/dev/null || echo max)
  if [[ $limit =~ ^[0-9]+$ ]] && { [ -z "$kib" ] || (( limit / 1024 < kib )); }; then
    kib=$(( limit / 1024 ))
  fi
  local by_memory=$cores
  [[ $kib =~ ^[0-9]+$ ]] && by_memory=$(( kib / (2 * 1024 * 1024) ))
  (( by_memory < 1 )) && by_memory=1
  echo $(( cores < by_memory ? cores : by_memory ))
}

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
