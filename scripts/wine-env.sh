# Sourced by the scripts that run Windows programs.
#
# wine_env_choose_arch DIR   decides which width the Windows programs run at
#                            (QUILLON_WINDOWS_ARCH: i686 or x86_64, with
#                            QUILLON_WINDOWS_ARCH_WHY) and the Wine loader for it
# wine_env_start PREFIX      a private Wine prefix of that width, an Xvfb display
#                            and a warm wineserver, started in the order Wine needs
# wine_env_stop              stops them again
#
# Some machines cannot execute 32-bit code at all (their kernel has 32-bit
# emulation switched off), so the Windows tree also builds for x86_64 and runs
# under 64-bit Wine there. QUILLON_WINDOWS_ARCH set beforehand forces a width.
#
# wine, wineboot, winepath and wineserver below are functions that call the
# loader and server of the chosen width by path: Debian's `wine` wrapper starts
# the 32-bit loader whenever it is installed, whatever the prefix.

# Builds (once) and runs a tiny i386 program: only running one tells whether
# this machine executes 32-bit code.
wine_env_runs_i386() { # dir
  local probe=$1/i386-probe
  if [ ! -x "$probe" ]; then
    mkdir -p "$1"
    printf '.globl _start\n_start:\n movl $1, %%eax\n movl $0, %%ebx\n int $0x80\n' >"$probe.s"
    as --32 "$probe.s" -o "$probe.o" && ld -m elf_i386 "$probe.o" -o "$probe" || return 1
  fi
  "$probe" 2>/dev/null
}

wine_env_choose_arch() { # dir for the probe
  case "${QUILLON_WINDOWS_ARCH:-}" in
    i686 | x86_64) QUILLON_WINDOWS_ARCH_WHY="forced by QUILLON_WINDOWS_ARCH" ;;
    "")
      if wine_env_runs_i386 "$1"; then
        QUILLON_WINDOWS_ARCH=i686
        QUILLON_WINDOWS_ARCH_WHY="this machine executes 32-bit code"
      else
        QUILLON_WINDOWS_ARCH=x86_64
        QUILLON_WINDOWS_ARCH_WHY="this machine cannot execute 32-bit code (the i386 probe did not run)"
      fi
      ;;
    *)
      echo "QUILLON_WINDOWS_ARCH must be i686 or x86_64, not '$QUILLON_WINDOWS_ARCH'" >&2
      return 1
      ;;
  esac
  export QUILLON_WINDOWS_ARCH QUILLON_WINDOWS_ARCH_WHY
  if [ "$QUILLON_WINDOWS_ARCH" = x86_64 ]; then
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
  else
    export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine
  fi
  # The 64-bit server serves prefixes of either width.
  export WINESERVER=/usr/lib/wine/wineserver64
}

# The build tree of the chosen width under a build root.
wine_env_windows_tree() { # build root
  if [ "$QUILLON_WINDOWS_ARCH" = x86_64 ]; then echo "$1/windows-x64"; else echo "$1/windows"; fi
}

wine() { "$WINELOADER" "$@"; }
wineserver() { "$WINESERVER" "$@"; }
wineboot() { wine wineboot.exe "$@"; }
winepath() { wine winepath.exe "$@"; }

wine_env_start() { # prefix
  : "${WINELOADER:?wine_env_choose_arch first}"
  mkdir -p "$1"
  WINEPREFIX=$(cd "$1" && pwd)
  export WINEPREFIX
  export WINEDEBUG=-all
  # Without its debugger a crashing program ends at once (exit code 5) instead
  # of waiting for the test timeout. Without the COM surrogate, a class that
  # 32-bit Wine fails to create in process (its device enumerator, asked for
  # by its own filter graph) is not started in a dllhost.exe that inherits
  # the test's output and keeps ctest waiting after the test has ended.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d;dllhost.exe=d"

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
  # The desktop process too (asking for the desktop window starts it and
  # waits for it): else the first test that makes a window starts it, it
  # inherits that test's output pipe, and ctest waits for that test until
  # the desktop ends, long after the test did.
  wine rundll32.exe user32.dll,GetDesktopWindow >/dev/null 2>&1 </dev/null || true
}

wine_env_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${QUILLON_XVFB_PID:-}" ]; then
    kill "$QUILLON_XVFB_PID" 2>/dev/null || true
    wait "$QUILLON_XVFB_PID" 2>/dev/null || true
  fi
}
