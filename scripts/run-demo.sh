#!/usr/bin/env bash
# Starts the terminal under Wine in its own prefix (build/run-prefix), on a virtual
# screen when no display is set, and saves a screenshot once the main window shows.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export VARENKO_WINEPREFIX=${VARENKO_WINEPREFIX:-$root/build/run-prefix}
export WINEPREFIX=$VARENKO_WINEPREFIX
bin=$root/build/win/bin
shot=$root/build/artifacts/terminal.png
mkdir -p "$root/build/artifacts"

xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && { wineserver -k >/dev/null 2>&1 || true; kill "$xvfb_pid" 2>/dev/null || true; }
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 130); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    break
  done
  echo "No display: the terminal runs on the virtual screen $DISPLAY."
  echo "A screenshot is saved to $shot once the main window shows;"
  echo "take more with: import -display $DISPLAY -window root shot.png   (Ctrl+C ends the terminal)"
fi

cd "$bin"
"$root/scripts/wine-run.sh" varenko.exe &
terminal=$!
(
  for _ in $(seq 120); do
    sleep 1
    if xdotool search --onlyvisible --name 'VARENKO Client' >/dev/null 2>&1; then
      sleep 3
      /usr/bin/import -display "$DISPLAY" -window root "$shot" 2>/dev/null && echo "Screenshot: $shot"
      break
    fi
  done
) &
wait "$terminal"
