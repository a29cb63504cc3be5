#!/usr/bin/env bash
# Runs a command with the project's Wine set up: one prefix made once and kept
# under build/, a wineserver kept up for the run, and an Xvfb display when
# there is none. Usage: scripts/with-wine.sh COMMAND...
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

export WINEPREFIX=${WINEPREFIX:-$root/build/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
unset WINEARCH

xvfb_pid=""
cleanup() {
  wineserver -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 91 120); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then break; fi
  done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
fi

stamp="$WINEPREFIX/.parcelwright-ready"
if [ ! -f "$stamp" ]; then
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  echo "making the Wine prefix $WINEPREFIX (once)" >&2
  wineboot -i >/dev/null 2>&1
  wineserver -w
  # Without a window manager every hide of a top-level window stalls for 2 s.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wineserver -w
  touch "$stamp"
fi

wineserver -p
# The desktop process starts untraced, before any test asks for a trace.
wine cmd /c exit 0 >/dev/null 2>&1 || true
"$@"
