#!/usr/bin/env bash
# Starts the stand-in TV application under Wine with lanfeed serving the
# sample channel list and stream on TCP port 2000, until the host's window is
# closed (or Ctrl+C). Installs and builds what is missing first. It has a Wine
# prefix of its own, so its settings never reach the tests.
#
#   bash testbed/host/run-lanfeed.sh [more tvhost options]
#
# The stream is the ffmpeg-made fixture when it exists, else the synthetic
# sample stream; it loops for ever at its own rate. Without a display the host
# runs on a virtual one and only the network side can be seen. Host and plug-in
# are 32-bit where this machine executes 32-bit code, else both 64-bit
# (QUILLON_WINDOWS_ARCH=i686|x86_64 forces either): a host loads plug-ins of
# its own width only.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
build=${QUILLON_BUILD_DIR:-$root/build}

bash scripts/setup
bash scripts/make-fixtures "$build/testdata"
source scripts/wine-env.sh
wine_env_choose_arch "$build"
echo "Running $QUILLON_WINDOWS_ARCH binaries, because $QUILLON_WINDOWS_ARCH_WHY"
tree=$(wine_env_windows_tree "$build")
cmake -S "$root" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$(wine_env_toolchain "$QUILLON_WINDOWS_ARCH")" >/dev/null
cmake --build "$tree" -j "$(nproc)" --target testbed_host make_sample_list lanfeed

if [ -n "${DISPLAY:-}" ]; then
  mkdir -p "$tree/run-prefix"
  export WINEPREFIX=$tree/run-prefix WINEDEBUG=-all
  trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
else
  wine_env_start "$tree/run-prefix"
  trap wine_env_stop EXIT
fi

sample=$tree/testbed/host/sample
mkdir -p "$sample"
wine "$tree/testbed/host/make_sample_list.exe" "$(winepath -w "$sample")"
pes=$build/testdata/heron/av.pes
[ -f "$pes" ] || pes=$sample/sample.pes

key='HKCU\Software\Quillon_LAN_Client\lanfeed\MPEG-Server'
wine reg add "$key" /v Port /t REG_DWORD /d 2000 /f >/dev/null
wine reg add "$key" /v bAutostartServer /t REG_DWORD /d 1 /f >/dev/null

echo "lanfeed serves on port 2000; close the host window or press Ctrl+C to end"
wine "$tree/testbed/host/tvhost.exe" \
  --plugin "$(winepath -w "$tree/bin/lanfeed.dll")" \
  --list "$(winepath -w "$sample/sample.qcx")" \
  --pes "$(winepath -w "$pes")" --rate real --loop 0 "$@"
