#!/usr/bin/env bash
# How long the terminal of `make run` keeps a person waiting on a screen with no window
# manager, with the prefix's windows managed (Wine's default) and unmanaged (what
# scripts/run-demo.sh sets when no window manager runs). One run, on a virtual screen
# of its own, takes turns between the two modes so that both see the same machine:
#   start  launching varenko.exe until its first window is visible
#   scan   Enter after an item number until the item's line reaches the pole display
#   ok     Enter in the cash dialog until the summary dialog is visible
# It prints every sample, each mode's median and the ratio of the medians
# (managed / unmanaged), and exits 1 when a step does not happen in time.
#   bench/demo_latency.sh [ROUNDS]     (default 3 starts, sales and scans per mode)
# Uses its own prefix (build/bench-prefix, made on first use) and a fresh copy of the
# demo shop in build/bench-demo.*, removed afterwards unless KEEP=1 is set; build first
# (make bench). Takes about a minute.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
rounds=${1:-3}
[[ "$rounds" =~ ^[1-9][0-9]?$ ]] || { echo "usage: $0 [ROUNDS 1-99]" >&2; exit 2; }
bin=$root/build/win/bin
for exe in varenko.exe shopserver.exe; do
  [ -f "$bin/$exe" ] || { echo "demo_latency: $bin/$exe is missing; build it first with: make bench" >&2; exit 1; }
done
export VARENKO_WINEPREFIX=$root/build/bench-prefix
export WINEPREFIX=$VARENKO_WINEPREFIX
mkdir -p "$root/build"
work=$(mktemp -d "$root/build/bench-demo.XXXXXX")
shop=$work/shop
devices_log=$work/devices.log
server_log=$work/shopserver.log
run=$root/scripts/wine-run.sh

source "$root/scripts/virtual-screen.sh"
server_pid=""
terminal_pid=""
watchdog_pid=""
cleanup() {
  [ -n "$watchdog_pid" ] && kill -- "-$watchdog_pid" 2>/dev/null || true
  stop_terminal
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
  wineserver -k >/dev/null 2>&1 || true
  "$root/scripts/serial-ports.sh" stop-log >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  [ -n "${KEEP:-}" ] && echo "kept $work" || rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
# Whatever happens, the run ends within three minutes.
setsid bash -c 'sleep 180; echo "demo_latency: over three minutes, stopped" >&2; kill -TERM "$1"' _ $$ &
watchdog_pid=$!

# A failure keeps a picture of the screen.
fail() {
  local shot=$root/build/artifacts/demo-latency-failure.png
  echo "demo_latency: $*" >&2
  mkdir -p "$(dirname "$shot")"
  [ -n "${DISPLAY:-}" ] && /usr/bin/import -display "$DISPLAY" -window root "$shot" 2>/dev/null \
    && echo "demo_latency: the screen then: $shot" >&2
  exit 1
}

# A fresh screen, whatever DISPLAY says: nothing else draws on it and no window
# manager runs there.
unset DISPLAY
start_virtual_screen

ms_since() { awk -v a="$1" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f", (b - a) * 1000 }'; }

# wait_window REGEX [gone]: until a visible window's name matches (or none does).
wait_window() {
  local deadline=$((SECONDS + 30))
  while :; do
    if xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; then
      [ "${2:-}" = gone ] || return 0
    else
      [ "${2:-}" = gone ] && return 0
    fi
    [ $SECONDS -lt $deadline ] || fail "window '$1' ${2:-shown}: not within 30 s"
    sleep 0.003
  done
}

# The epoch time of the first pole display line after line N that holds TEXT.
midnight=$(date -d 'today 00:00' +%s)
wait_pole_line() {
  local after=$1 text=$2 deadline=$((SECONDS + 30)) stamp
  while :; do
    stamp=$(tail -n +"$((after + 1))" "$devices_log" | grep -F -m1 "$text" | cut -d' ' -f1) || true
    if [ -n "$stamp" ]; then
      awk -v m="$midnight" -v t="$stamp" 'BEGIN { split(t, p, ":"); printf "%.3f", m + p[1] * 3600 + p[2] * 60 + p[3] }'
      return 0
    fi
    [ $SECONDS -lt $deadline ] || fail "no pole display line '$text' within 30 s"
    sleep 0.003
  done
}
pole_lines() { wc -l <"$devices_log"; }

stop_terminal() {
  [ -n "$terminal_pid" ] || return 0
  # wine-run.sh's child is the Windows process itself.
  pkill -TERM -P "$terminal_pid" 2>/dev/null || true
  wait "$terminal_pid" 2>/dev/null || true
  terminal_pid=""
}

set_mode() {
  if [ "$1" = unmanaged ]; then
    "$run" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  else
    "$run" reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 || true
  fi
}

# A fresh shop, and a terminal configured for it with a pole display on COM1 (whose
# lines tell when a scanned item is on the sale).
cp -r "$bin/demo" "$shop"
printf '\nswitch 100 = 1\nswitch 102 = 0\n' >>"$shop/shop.txt"
rm -rf "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Nordane
cd "$bin"
"$run" shopserver.exe "$(winepath -w "$shop" 2>/dev/null || echo "$shop")" --provision-terminal >/dev/null \
  || fail "the terminal could not be configured"
"$run" shopserver.exe "$(winepath -w "$shop" 2>/dev/null || echo "$shop")" >"$server_log" 2>&1 &
server_pid=$!
for _ in $(seq 100); do grep -q serving "$server_log" 2>/dev/null && break; sleep 0.1; done
grep -q serving "$server_log" || fail "the shop server did not start (see $server_log)"
"$root/scripts/serial-ports.sh" log "$devices_log" COM1=pole || fail "no logged COM1"

declare -A samples
add() { samples[$1 $2]="${samples[$1 $2]:-} $3"; }

start_terminal() {
  local t0=$EPOCHREALTIME
  "$run" varenko.exe >/dev/null 2>&1 &
  terminal_pid=$!
  wait_window '^VARENKO'
  add "$1" start "$(ms_since "$t0")"
}

log_on() {
  local w
  wait_window '^VARENKO Logon'
  w=$(xdotool search --onlyvisible --name '^VARENKO Logon' | head -1)
  xdotool windowfocus --sync "$w"
  xdotool type --delay 20 1111
  xdotool key Return
  wait_window 'Assoc: 1,'
  wait_window '^VARENKO Logon' gone
}

# One cash sale of a tin of beans, keyed in by its number as a scanner would.
sale() {
  local mode=$1 before t0 at
  before=$(pole_lines)
  xdotool type --delay 10 1302
  t0=$EPOCHREALTIME
  xdotool key Return
  at=$(wait_pole_line "$before" 'Baked Beans')
  add "$mode" scan "$(awk -v a="$t0" -v b="$at" 'BEGIN { printf "%.1f", (b - a) * 1000 }')"
  xdotool key F5
  wait_window '^Cash payment'
  xdotool type --delay 10 2000
  t0=$EPOCHREALTIME
  xdotool key Return
  wait_window '^Transaction committed'
  add "$mode" ok "$(ms_since "$t0")"
  # OK closes the summary; the pole display's idle text says the till is ready again.
  before=$(pole_lines)
  xdotool key Return
  wait_window '^Transaction committed' gone
  wait_pole_line "$before" 'Welcome' >/dev/null
}

for r in $(seq "$rounds"); do
  for mode in managed unmanaged; do
    set_mode "$mode"
    start_terminal "$mode"
    if [ "$r" -eq "$rounds" ]; then
      log_on
      for _ in $(seq "$rounds"); do sale "$mode"; done
    fi
    stop_terminal
    wait_window '^VARENKO' gone
  done
done

median() { tr ' ' '\n' | grep . | sort -n | awk '{ v[NR] = $1 } END { printf "%.1f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
echo "demo latency, no window manager, $rounds rounds per mode, ms (Wine $(wine --version 2>/dev/null | sed 's/^wine-//'))"
printf '%-7s %-30s %-30s %9s %9s %7s\n' step "managed samples" "unmanaged samples" managed unmanaged ratio
for step in start scan ok; do
  m=$(median <<<"${samples[managed $step]}")
  u=$(median <<<"${samples[unmanaged $step]}")
  printf '%-7s %-30s %-30s %9s %9s %7s\n' "$step" "${samples[managed $step]# }" "${samples[unmanaged $step]# }" "$m" "$u" \
    "$(awk -v m="$m" -v u="$u" 'BEGIN { printf "%.2f", m / u }')"
done
