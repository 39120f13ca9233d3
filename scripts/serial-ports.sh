#!/usr/bin/env bash
# A pair of joined serial ports for the device tests: socat links two
# pseudo-terminals, and COM7 and COM8 of the Wine prefix $VARENKO_WINEPREFIX are
# mapped to their two ends, so what a program writes to COM7 can be read from COM8.
#   scripts/serial-ports.sh          start the pair (once) and map the ports
#   scripts/serial-ports.sh stop     stop the pair
# Wine opens COMn through the prefix's dosdevices/comn symlink at every open, so
# a running Wine server sees the mapping at once. The same mapping also goes into
# HKLM\Software\Wine\Ports, from which Wine recreates the links when it restarts.
# Once the pair is stopped, Wine still opens a registered COMn, but as a device
# that is no serial port: the tests check for a working port, not just an open one.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
dir=$root/build/serial
pidfile=$dir/socat.pid
end7=$dir/com7
end8=$dir/com8

running() {
  [ -f "$pidfile" ] && kill -0 "$(cat "$pidfile")" 2>/dev/null && [ -e "$end7" ] && [ -e "$end8" ]
}

if [ "${1:-}" = stop ]; then
  if [ -f "$pidfile" ]; then
    kill "$(cat "$pidfile")" 2>/dev/null || true
    rm -f "$pidfile"
  fi
  exit 0
fi

mkdir -p "$dir"
(
  flock 9
  if ! running; then
    if [ -f "$pidfile" ]; then kill "$(cat "$pidfile")" 2>/dev/null || true; fi
    rm -f "$pidfile" "$end7" "$end8"
    command -v socat >/dev/null || { echo "serial-ports.sh: socat is not installed" >&2; exit 1; }
    setsid socat pty,raw,echo=0,link="$end7" pty,raw,echo=0,link="$end8" \
      </dev/null >"$dir/socat.log" 2>&1 9>&- &
    echo $! >"$pidfile"
    for _ in $(seq 50); do
      [ -e "$end7" ] && [ -e "$end8" ] && break
      sleep 0.1
    done
    running || { echo "serial-ports.sh: socat did not start (see $dir/socat.log)" >&2; exit 1; }
  fi
) 9>"$dir/lock"

prefix=${VARENKO_WINEPREFIX:?set VARENKO_WINEPREFIX to the Wine prefix}
[ -d "$prefix/dosdevices" ] || { echo "serial-ports.sh: $prefix is not a prepared Wine prefix" >&2; exit 1; }
ln -sfn "$end7" "$prefix/dosdevices/com7"
ln -sfn "$end8" "$prefix/dosdevices/com8"
if ! grep -qF "\"COM8\"=\"$end8\"" "$prefix/system.reg" 2>/dev/null; then
  printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\n"COM7"="%s"\n"COM8"="%s"\n' \
    "$end7" "$end8" >"$dir/ports.reg"
  VARENKO_WINEPREFIX=$prefix "$here/wine-run.sh" reg import 'Z:'"${dir//\//\\}"'\ports.reg' >/dev/null 2>&1 || true
fi
