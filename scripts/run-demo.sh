#!/usr/bin/env bash
# Starts the development shop server on build/run-shop (a copy of the demo shop made
# on first run; sales and customer changes persist across runs) and the terminal,
# both under Wine in their own prefix (build/run-prefix). On first run the terminal
# is configured to work online with that server. With no display a virtual screen is
# used and a screenshot is saved once the main window shows.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export VARENKO_WINEPREFIX=${VARENKO_WINEPREFIX:-$root/build/run-prefix}
export WINEPREFIX=$VARENKO_WINEPREFIX
bin=$root/build/win/bin
shop=$root/build/run-shop
shot=$root/build/artifacts/terminal.png
mkdir -p "$root/build/artifacts"

source "$(dirname "${BASH_SOURCE[0]}")/virtual-screen.sh"
server_pid=""
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT INT TERM
if [ -z "${DISPLAY:-}" ]; then
  start_virtual_screen
  echo "No display: the terminal runs on the virtual screen $DISPLAY."
  echo "A screenshot is saved to $shot once the main window shows;"
  echo "take more with: import -display $DISPLAY -window root shot.png   (Ctrl+C ends the demo)"
fi

[ -d "$shop" ] || cp -r "$bin/demo" "$shop"
cd "$bin"
"$root/scripts/wine-run.sh" shopserver.exe "$(winepath -w "$shop" 2>/dev/null || echo "$shop")" --provision-terminal
"$root/scripts/wine-run.sh" shopserver.exe "$(winepath -w "$shop" 2>/dev/null || echo "$shop")" \
  > "$root/build/artifacts/shopserver.log" 2>&1 &
server_pid=$!
for _ in $(seq 100); do grep -q serving "$root/build/artifacts/shopserver.log" 2>/dev/null && break; sleep 0.1; done
echo "Shop server: $(head -1 "$root/build/artifacts/shopserver.log") (log: build/artifacts/shopserver.log)"
echo "Demo associates log on with numeric passwords: 1 Administrator 1111, 2 Manager 2222 (all in devserver/demo/shop.txt)."

started=$(date +%s.%N)
"$root/scripts/wine-run.sh" varenko.exe &
terminal=$!
(
  for _ in $(seq 600); do
    sleep 0.2
    if xdotool search --onlyvisible --name '^VARENKO' >/dev/null 2>&1; then
      echo "Terminal window shown $(awk -v a="$started" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }') s after start."
      sleep 3
      /usr/bin/import -display "$DISPLAY" -window root "$shot" 2>/dev/null && echo "Screenshot: $shot"
      break
    fi
  done
) &
wait "$terminal"
