# Sourced by the scripts that run Windows programs: a private Wine prefix, a
# warm wineserver and an Xvfb display, started in the order Wine needs
# (display first, then the server) and stopped again by wine_env_stop.

wine_env_start() { # prefix
  export WINEPREFIX=$1
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export WINEARCH=win32
  mkdir -p "$WINEPREFIX"

  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  QUILLON_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.05
  done

  # Initialise the prefix once, and let the server write it out before the
  # persistent server starts (tests then run in parallel on a ready prefix).
  if [ ! -f "$WINEPREFIX/.quillon-ready" ]; then
    wineboot -i >/dev/null 2>&1 </dev/null || true
    wineserver -w >/dev/null 2>&1 </dev/null || true
    touch "$WINEPREFIX/.quillon-ready"
  fi
  wineserver -p >/dev/null 2>&1 </dev/null || true
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

wine_env_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${QUILLON_XVFB_PID:-}" ]; then
    kill "$QUILLON_XVFB_PID" 2>/dev/null || true
    wait "$QUILLON_XVFB_PID" 2>/dev/null || true
  fi
}
