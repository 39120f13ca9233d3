#!/usr/bin/env bash
# The till's performance figures on this machine under Wine, in one run (build first:
# `make bench`):
#   layouts.exe       the log viewer and the printed log on a 50 MB day file, and the
#                     400-line receipts (Release cross build, under Wine)
#   till_timings.exe  the real terminal driven with real input: cold start, scan to line
#                     painted at basket sizes 1, 100 and 399, OK to the summary of a
#                     400-line sale and the log viewer on a 50 MB day file, each against
#                     the bare remote call or the goal it is held to
#   bench/till.sh [SAMPLES [SALES]]     (defaults 7 and 3; about two minutes)
# Uses a virtual screen of its own (no window manager, windows unmanaged) and its own
# Wine prefix build/till-prefix (made on first use), so it may run beside the tests:
# its shop server's pipe lives in that prefix's Wine server. A run is stopped after
# fifteen minutes.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
samples=${1:-7}
sales=${2:-3}
[[ "$samples" =~ ^[1-9][0-9]?$ && "$sales" =~ ^[1-9][0-9]?$ ]] || { echo "usage: $0 [SAMPLES 1-50 [SALES 1-20]]" >&2; exit 2; }
bin=$root/build/win/bin
for exe in layouts.exe till_timings.exe varenko.exe shopserver.exe; do
  [ -f "$bin/$exe" ] || { echo "till.sh: $bin/$exe is missing; build it first with: make bench" >&2; exit 1; }
done
export VARENKO_WINEPREFIX=$root/build/till-prefix
export WINEPREFIX=$VARENKO_WINEPREFIX
run=$root/scripts/wine-run.sh
out=$(mktemp -d)

source "$root/scripts/virtual-screen.sh"
watchdog_pid=""
cleanup() {
  [ -n "$watchdog_pid" ] && kill -- "-$watchdog_pid" 2>/dev/null || true
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$out"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
setsid bash -c 'sleep 900; echo "till.sh: over fifteen minutes, stopped" >&2; kill -TERM "$1"' _ $$ &
watchdog_pid=$!

# A screen of its own: nothing else draws there or takes the keyboard.
unset DISPLAY
start_virtual_screen
# No window manager runs there: unmanaged windows spare Wine its wait for one.
"$run" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1

echo "till.sh: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg), $(wine --version 2>/dev/null)"
cd "$bin"
# The programs' own output is kept apart from Wine's.
status=0
"$run" layouts.exe >"$out/layouts.txt" 2>"$out/layouts.err" || status=$?
cat "$out/layouts.txt"
[ "$status" -eq 0 ] || { echo "till.sh: layouts.exe failed ($status):" >&2; tail -5 "$out/layouts.err" >&2; exit 1; }
"$run" till_timings.exe "$samples" "$sales" >"$out/till.txt" 2>"$out/till.err" || status=$?
cat "$out/till.txt"
if [ "$status" -ne 0 ]; then
  echo "till.sh: till_timings.exe failed ($status):" >&2
  grep '^till_timings' "$out/till.err" >&2 || tail -5 "$out/till.err" >&2
  shot=$bin/till-timings-failure.bmp
  if [ -f "$shot" ]; then
    mkdir -p "$root/build/artifacts"
    /usr/bin/convert "$shot" "$root/build/artifacts/till-timings-failure.png" && rm -f "$shot" \
      && echo "till.sh: the screen then: build/artifacts/till-timings-failure.png" >&2
  fi
  exit 1
fi
