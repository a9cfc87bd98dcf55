#!/usr/bin/env bash
# Starts the stand-in TV application under Wine with lanfeed serving the
# sample channel list and stream on TCP port 2000, and a hardware module
# (testbed/playmodule) playing the sample stream in its video window through
# heron and the decoder stand-ins, until a host window is closed (or Ctrl+C).
# Installs and builds what is missing first. It has a Wine prefix of its own,
# so its settings never reach the tests.
#
#   bash testbed/host/run-lanfeed.sh [more tvhost options]
#
# The stream is the ffmpeg-made fixture when it exists, else the synthetic
# sample stream; it loops for ever at its own rate. Without a display the host
# runs on a virtual one: a few seconds after the start a screenshot of the
# module's host window is written to a file, whose path is printed. Host, module and plug-in
# are 32-bit where this machine executes 32-bit code, else both 64-bit
# (QUILLON_WINDOWS_ARCH=i686|x86_64 forces either): a host loads plug-ins of
# its own width only.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
build=${QUILLON_BUILD_DIR:-$root/build}

bash scripts/setup
bash scripts/make-fixtures "$build/testdata"
source scripts/trees.sh
source scripts/wine-env.sh
wine_env_choose_arch "$build"
echo "Running $QUILLON_WINDOWS_ARCH binaries, because $QUILLON_WINDOWS_ARCH_WHY"
tree=$(wine_env_windows_tree "$build")
trees_configure_windows "$tree" "$QUILLON_WINDOWS_ARCH" ON
cmake --build "$tree" -j "$(nproc)" --target testbed_host make_sample_list lanfeed playmodule heron testdecoders

headed=${DISPLAY:-}
if [ -n "$headed" ]; then
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

# heron and the decoder stand-ins are registered like installed filters. The
# renderer draws through GDI: Wine's OpenGL cannot draw into a child window
# on every X server, and then shows nothing.
wine regsvr32 /s "$(winepath -w "$tree/bin/heron.ax")"
wine regsvr32 /s "$(winepath -w "$tree/testbed/decoders/testdecoders.ax")"
wine reg add 'HKCU\Software\Wine\Direct3D' /v renderer /t REG_SZ /d gdi /f >/dev/null
session=$tree/testbed/playmodule/run-session.txt
printf '%s\n' 'open 0' 'show 720 576' 'window 1' 'tune 0 0' 'pids 256 257' 'play' 'close' >"$session"
QUILLON_PLAYMODULE_PES=$(winepath -w "$pes")
export QUILLON_PLAYMODULE_PES

if [ -z "$headed" ]; then
  shot=$tree/run-screenshot.png
  rm -f "$shot"
  # The module's host window sits at the virtual screen's top left (its
  # 720 x 576 client area below Wine's own frame and caption).
  (sleep 15 && timeout 20 import -display "$DISPLAY" -window root -crop 730x606+0+0 +repage "$shot" 2>/dev/null &&
    echo "Screenshot of the playing video window: $shot") &
fi

key='HKCU\Software\Quillon_LAN_Client\lanfeed\MPEG-Server'
wine reg add "$key" /v Port /t REG_DWORD /d 2000 /f >/dev/null
wine reg add "$key" /v bAutostartServer /t REG_DWORD /d 1 /f >/dev/null

echo "lanfeed serves on port 2000; close the host window or press Ctrl+C to end"
wine "$tree/testbed/host/tvhost.exe" \
  --plugin "$(winepath -w "$tree/bin/lanfeed.dll")" \
  --list "$(winepath -w "$sample/sample.qcx")" \
  --pes "$(winepath -w "$pes")" --rate real --loop 0 \
  --module "$(winepath -w "$tree/testbed/playmodule/playmodule.dll")" --session "$(winepath -w "$session")" "$@"
