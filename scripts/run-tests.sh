#!/usr/bin/env bash
# Runs the whole suite: the native unit tests and fuzz targets, then the Win32 and
# end-to-end tests under Wine, with the installer's test beside them. One X server and
# one warm Wine server serve the whole run.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export VARENKO_WINEPREFIX=${VARENKO_WINEPREFIX:-$root/build/wineprefix}
export WINEPREFIX=$VARENKO_WINEPREFIX WINEDEBUG=-all
jobs=${JOBS:-$(nproc)}

source "$(dirname "${BASH_SOURCE[0]}")/virtual-screen.sh"
agent_pid=""
cleanup() {
  [ -n "$agent_pid" ] && kill "$agent_pid" 2>/dev/null
  [ -n "${desktop_fd:-}" ] && exec {desktop_fd}>&-  # the console reads its end and leaves
  # A test that died holding the data directory mounted gives it back here.
  mount | awk '{print $3}' | grep "^$VARENKO_WINEPREFIX/" | sort -r | xargs -r -n1 umount 2>/dev/null
  wineserver -k >/dev/null 2>&1 || true
  "$root/scripts/serial-ports.sh" stop
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

start_virtual_screen
# The installer's test runs beside the others from the start, on a virtual screen and in
# a Wine prefix of its own (tests/package/run.sh); its result is reported at the end.
installer_out=$(mktemp)
(unset DISPLAY; bash "$root/tests/package/run.sh") >"$installer_out" 2>&1 &
installer_pid=$!
# The prefix is made (or woken) while the native tests run.
"$root/scripts/wine-run.sh" cmd /c exit >/dev/null 2>&1 &
prefix_pid=$!

status=0
passed=0; failed=0
run_ctest() {
  local dir=$1 out
  out=$(mktemp)
  (cd "$dir" && ctest -j "$jobs" --output-on-failure --timeout 300) 2>&1 | tee "$out"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$out" | tail -1)
  if [ -n "$line" ]; then
    local total fails
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    fails=$(sed -E 's/.*passed, ([0-9]+) tests failed.*/\1/' <<<"$line")
    passed=$((passed + total - fails)); failed=$((failed + fails))
  else
    status=1
  fi
  rm -f "$out"
}

echo "== native unit tests"
run_ctest "$root/build/native"
echo "== fuzz targets, a short run each"
fuzz_out=$(mktemp)
bash "$root/fuzz/run.sh" --tree "$root/build/native" --seconds "${FUZZ_TEST_SECONDS:-2}" | tee "$fuzz_out"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
passed=$((passed + $(grep -c ' ok ' "$fuzz_out"))); failed=$((failed + $(grep -c ' FAILED ' "$fuzz_out")))
rm -f "$fuzz_out"

# Keep one Wine server, with the prefix's services and desktop, running for every test
# process: without it each process starts its own, and one starting while the last shuts
# down can hang for a minute. A persistent server cannot join one already running
# (Debian's wrapper starts every server with -p0), so the preparing one is let go first.
wait "$prefix_pid"
wineserver -w
wineserver -p
# A console waiting for the whole run keeps the prefix's desktop open. Otherwise it
# closes whenever no test runs, and of two tests that start together and both open
# it, one hangs on the desktop that lost for up to a minute.
desktop_fifo=$(mktemp -u); mkfifo "$desktop_fifo"
"$root/scripts/wine-run.sh" cmd <"$desktop_fifo" >/dev/null 2>&1 &
exec {desktop_fd}>"$desktop_fifo"; rm -f "$desktop_fifo"
# COM7 and COM8 joined back to back, for the device tests.
"$root/scripts/serial-ports.sh" || echo "no serial port pair: the device tests will fail" >&2
# The virtual screen has no window manager: unmanaged windows spare Wine its wait for
# one each time a window is hidden (about two seconds per dialog).
"$root/scripts/wine-run.sh" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
# Root may mount: the agent makes the terminal's data directory read-only or full for
# the fault tests (they are skipped without it).
if [ "$(id -u)" -eq 0 ]; then
  export VARENKO_HOST_AGENT=$root/build/host-agent
  rm -rf "$VARENKO_HOST_AGENT"
  "$root/scripts/host-agent.sh" "$VARENKO_HOST_AGENT" &
  agent_pid=$!
fi
# The cups-pdf queues the printing tests print to (their PDFs land in build/artifacts/pdf).
"$root/scripts/print-queues.sh"

echo "== Windows tests under Wine"
run_ctest "$root/build/win"
echo "== installer under Wine"
if wait "$installer_pid"; then passed=$((passed + 1)); else failed=$((failed + 1)); status=1; fi
cat "$installer_out"; rm -f "$installer_out"

# Pictures saved by the tests, as PNG for people to look at.
for bmp in "$root"/build/artifacts/*.bmp; do
  [ -e "$bmp" ] && /usr/bin/convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
# Printed documents kept by the tests: their first page.
for pdf in "$root"/build/artifacts/*.pdf; do
  [ -e "$pdf" ] && pdftoppm -png -r 100 -f 1 -l 1 -singlefile "$pdf" "${pdf%.pdf}"
done

echo
echo "Whole suite: $passed passed, $failed failed"
exit $status
