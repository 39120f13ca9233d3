#!/usr/bin/env bash
# Serial ports for the Wine prefix $VARENKO_WINEPREFIX, made of pseudo-terminals.
#   scripts/serial-ports.sh          start the pair (once) and map the ports
#   scripts/serial-ports.sh stop     stop the pair
#   scripts/serial-ports.sh log LOGFILE COMn[=WHAT]...
#                                    map each COMn to a pty of its own whose bytes are
#                                    appended readably to LOGFILE, one line per write
#   scripts/serial-ports.sh stop-log stop the logged ports of the prefix
# The pair, for the device tests: socat links two pseudo-terminals, and COM7 and
# COM8 are mapped to their two ends, so what a program writes to COM7 can be read
# from COM8.
# A logged port, for the demo: socat's end of the pty feeds a small Perl filter that
# logs each write as one line, with the time and the port:
#   18:02:11.250 COM1 pole display: <12>Welcome to Orchard Lane
#   18:02:40.021 COM2 till drawer: <7>
# Printable characters are shown as text (bytes from 160 up as Latin-1, which code
# page 1252 agrees with there), every other byte and "<" as decimal codes between < >.
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

prefix() {
  local p=${VARENKO_WINEPREFIX:?set VARENKO_WINEPREFIX to the Wine prefix}
  [ -d "$p/dosdevices" ] || { echo "serial-ports.sh: $p is not a prepared Wine prefix" >&2; exit 1; }
  echo "$p"
}

# map_ports REGFILE COMn=PATH...: registers the ports when the registry does not
# hold every one of them yet, then links them. (A Wine server that starts for the
# import remakes the links of the ports it knows, COM1 to /dev/ttyS0 and so on:
# the links come after.)
map_ports() {
  local reg=$1 p pair missing=""
  shift
  p=$(prefix)
  for pair in "$@"; do
    grep -qF "\"${pair%%=*}\"=\"${pair#*=}\"" "$p/system.reg" 2>/dev/null || missing=1
  done
  if [ -n "$missing" ]; then
    {
      printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\n'
      for pair in "$@"; do printf '"%s"="%s"\n' "${pair%%=*}" "${pair#*=}"; done
    } >"$reg"
    VARENKO_WINEPREFIX=$p "$here/wine-run.sh" reg import 'Z:'"${reg//\//\\}" >/dev/null 2>&1 || true
  fi
  for pair in "$@"; do
    ln -sfn "${pair#*=}" "$p/dosdevices/$(tr 'A-Z' 'a-z' <<<"${pair%%=*}")"
  done
}

# The logged ports of a prefix live in a folder named after it.
log_dir() {
  local p
  p=$(prefix) || exit 1
  echo "$dir/logged-$(basename "$p")"
}

stop_logged() {
  local d pid
  d=$(log_dir)
  for pid in "$d"/*.pid; do
    [ -e "$pid" ] || continue
    # Each port runs as its own session (socat and the filter): end the whole group.
    kill -- "-$(cat "$pid")" 2>/dev/null || true
    rm -f "$pid"
  done
}

# Reads the pty's bytes on standard input and writes the log lines.
read -r -d '' filter <<'PERL' || true
use strict;
use warnings;
use POSIX qw(strftime);
use Time::HiRes qw(time);
my $what = shift;
binmode STDOUT, ':utf8';
$| = 1;
# A write reaches the pty whole and is read at once: one read, one line. (Writes a
# millisecond apart, as two outputs of the terminal can be, are not run together.)
while (sysread(STDIN, my $burst, 4096)) {
    my $at = time;
    my ($line, @codes) = ('');
    for my $byte (unpack 'C*', $burst) {
        if (($byte >= 32 && $byte < 127 && $byte != 60) || $byte >= 160) {
            $line .= '<' . join(',', splice @codes) . '>' if @codes;
            $line .= chr $byte;
        } else {
            push @codes, $byte;
        }
    }
    $line .= '<' . join(',', @codes) . '>' if @codes;
    printf "%s.%03d %s: %s\n", strftime('%H:%M:%S', localtime $at), int(($at - int $at) * 1000), $what, $line;
}
PERL

case "${1:-}" in
stop)
  if [ -f "$pidfile" ]; then
    kill "$(cat "$pidfile")" 2>/dev/null || true
    rm -f "$pidfile"
  fi
  exit 0
  ;;
stop-log)
  stop_logged
  exit 0
  ;;
log)
  [ $# -ge 3 ] || { echo "usage: $0 log LOGFILE COMn[=WHAT]..." >&2; exit 2; }
  log=$2
  shift 2
  command -v socat >/dev/null || { echo "serial-ports.sh: socat is not installed" >&2; exit 1; }
  perl -MTime::HiRes -e 1 2>/dev/null || { echo "serial-ports.sh: perl is not installed" >&2; exit 1; }
  d=$(log_dir)
  mkdir -p "$d" "$(dirname "$log")"
  touch "$log"
  stop_logged
  links=()
  for arg in "$@"; do
    port=$(tr 'a-z' 'A-Z' <<<"${arg%%=*}")
    what=$port
    [ "$arg" != "${arg#*=}" ] && what="$port ${arg#*=}"
    end=$d/$(tr 'A-Z' 'a-z' <<<"$port")
    rm -f "$end"
    setsid bash -c 'socat -u pty,raw,echo=0,link="$1" STDOUT 2>>"$2" | perl -e "$3" "$4" >>"$5"' \
      _ "$end" "$d/socat.log" "$filter" "$what" "$log" </dev/null >/dev/null 2>&1 &
    echo $! >"$d/$port.pid"
    for _ in $(seq 50); do [ -e "$end" ] && break; sleep 0.1; done
    [ -e "$end" ] || { echo "serial-ports.sh: socat did not start for $port (see $d/socat.log)" >&2; exit 1; }
    links+=("$port=$end")
  done
  map_ports "$d/ports.reg" "${links[@]}"
  exit 0
  ;;
esac

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

map_ports "$dir/ports.reg" "COM7=$end7" "COM8=$end8"
