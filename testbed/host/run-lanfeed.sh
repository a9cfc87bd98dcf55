#!/usr/bin/env bash
# Starts the stand-in TV application under Wine with lanfeed serving the
# sample channel list and stream on TCP port 2000, until the host's window is
# closed (or Ctrl+C). Installs and builds what is missing first.
#
#   bash testbed/host/run-lanfeed.sh [more tvhost options]
#
# The stream is the ffmpeg-made fixture when it exists, else the synthetic
# sample stream; it loops for ever at its own rate. Without a display the host
# runs on a virtual one and only the network side can be seen.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
build=${QUILLON_BUILD_DIR:-$root/build}

bash scripts/setup
bash scripts/make-fixtures "$build/testdata"
cmake -S "$root" -B "$build/windows" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build/windows" -j "$(nproc)" --target testbed_host make_sample_list lanfeed

source scripts/wine-env.sh
if [ -n "${DISPLAY:-}" ]; then
  export WINEPREFIX=$build/windows/wineprefix WINEDEBUG=-all WINEARCH=win32
  mkdir -p "$WINEPREFIX"
  trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
else
  wine_env_start "$build/windows/wineprefix"
  trap wine_env_stop EXIT
fi

sample=$build/windows/testbed/host/sample
mkdir -p "$sample"
wine "$build/windows/testbed/host/make_sample_list.exe" "$(winepath -w "$sample")"
pes=$build/testdata/heron/av.pes
[ -f "$pes" ] || pes=$sample/sample.pes

key='HKCU\Software\Quillon_LAN_Client\lanfeed\MPEG-Server'
wine reg add "$key" /v Port /t REG_DWORD /d 2000 /f >/dev/null
wine reg add "$key" /v bAutostartServer /t REG_DWORD /d 1 /f >/dev/null

echo "lanfeed serves on port 2000; close the host window or press Ctrl+C to end"
wine "$build/windows/testbed/host/tvhost.exe" \
  --plugin "$(winepath -w "$build/windows/bin/lanfeed.dll")" \
  --list "$(winepath -w "$sample/sample.qcx")" \
  --pes "$(winepath -w "$pes")" --rate real --loop 0 "$@"
