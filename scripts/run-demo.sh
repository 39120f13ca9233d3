#!/usr/bin/env bash
# Starts the development shop server on build/run-shop (a copy of the demo shop made
# on first run; sales and customer changes persist across runs) and the terminal,
# both under Wine in their own prefix (build/run-prefix). On first run the terminal
# is configured to work online with that server. With no display a virtual screen is
# used and a screenshot is saved once the main window shows.
# The demo shop has a printer and devices a person can look at: a cups-pdf queue,
# the prefix's default printer, whose PDFs land in build/run-shop/printed, and a pole
# display (COM1) and till drawer (COM2) whose bytes are written, readably, to
# build/run-shop/devices.log. Without CUPS or socat the demo still runs, and says
# what it goes without.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export VARENKO_WINEPREFIX=${VARENKO_WINEPREFIX:-$root/build/run-prefix}
export WINEPREFIX=$VARENKO_WINEPREFIX
bin=$root/build/win/bin
shop=$root/build/run-shop
shot=$root/build/artifacts/terminal.png
printed=$shop/printed
devices_log=$shop/devices.log
printer=VarenkoShop
mkdir -p "$root/build/artifacts"

source "$(dirname "${BASH_SOURCE[0]}")/virtual-screen.sh"
server_pid=""
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
  wineserver -k >/dev/null 2>&1 || true
  "$root/scripts/serial-ports.sh" stop-log >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT INT TERM
if [ -z "${DISPLAY:-}" ]; then
  start_virtual_screen
  echo "No display: the terminal runs on the virtual screen $DISPLAY."
  echo "A screenshot is saved to $shot once the main window shows;"
  echo "take more with: import -display $DISPLAY -window root shot.png   (Ctrl+C ends the demo)"
fi

# A window manager announces itself on the root window (_NET_SUPPORTING_WM_CHECK
# names a window of its own, which names itself back).
window_manager_running() {
  local id
  id=$(xprop -root -notype _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -n 's/.*window id # \(0x[0-9a-fA-F]*\).*/\1/p')
  [ -n "$id" ] && xprop -id "$id" -notype _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -qi "$id"
}

[ -d "$shop" ] || cp -r "$bin/demo" "$shop"
# The demo's devices, in the shop's configuration that a new terminal is given: a pole
# display on COM1 (a form feed clears it; carriage return and line feed start its
# second line) and a till drawer on COM2 that one BEL opens after each sale.
if ! grep -q '^# The demo.s devices' "$shop/shop.txt"; then
  cat >>"$shop/shop.txt" <<'SHOP'

# The demo's devices (added by scripts/run-demo.sh): a pole display on COM1 and a
# till drawer on COM2 that opens after each sale.
switch 100 = 1
switch 102 = 0
text 5758 32 = 12
text 5822 32 = 13,10
option 8 = 1
option 4 = 1
option 6 = 7
option 17 = 1
SHOP
fi
cd "$bin"
"$root/scripts/wine-run.sh" shopserver.exe "$(winepath -w "$shop" 2>/dev/null || echo "$shop")" --provision-terminal
"$root/scripts/wine-run.sh" shopserver.exe "$(winepath -w "$shop" 2>/dev/null || echo "$shop")" \
  > "$root/build/artifacts/shopserver.log" 2>&1 &
server_pid=$!

# With no window manager, Wine waits up to two seconds for one whenever a window is
# hidden (the "Please wait.." window at each scan, the splash, every closed dialog):
# the prefix's windows are then left unmanaged. Under a window manager they stay
# managed, and an earlier unmanaged setting is undone.
x11_driver='HKCU\Software\Wine\X11 Driver'
if [ -n "$xvfb_pid" ] || ! window_manager_running; then
  "$root/scripts/wine-run.sh" reg add "$x11_driver" /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
else
  "$root/scripts/wine-run.sh" reg delete "$x11_driver" /v Managed /f >/dev/null 2>&1 || true
fi

# The shop's printer. Wine makes every CUPS queue a printer and, each time a program
# starts, takes CUPS's default destination as its default printer: PRINTER names it
# for the Wine programs started from here, and for nothing else.
mkdir -p "$printed"
if "$root/scripts/print-queues.sh" --queue "$printer" "$printed"; then
  unset LPDEST
  export PRINTER=$printer
  echo "Printer: $printer, the default printer; what it prints lands in build/run-shop/printed as PDF."
else
  echo "No printer (CUPS could not be set up, see above): receipts and documents go nowhere."
fi

# The pole display and the till drawer: each port is a pty whose bytes are logged.
if "$root/scripts/serial-ports.sh" log "$devices_log" COM1='pole display' COM2='till drawer'; then
  echo "Pole display (COM1) and till drawer (COM2): what they are sent is written to build/run-shop/devices.log."
else
  echo "No device ports (see above): the pole display and the till drawer cannot be opened."
fi

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
