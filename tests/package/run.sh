#!/usr/bin/env bash
# The installer's end-to-end test (make test-package; make test runs it too), after
# `make package`: unpacks the zip beside the installer and runs package_tests.exe in a
# new Wine prefix, build/package-prefix: a till that has never had VARENKO.
# Its output goes to build/artifacts/package-test.log; the exit status is the test's.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
dist=$root/build/dist
log=$root/build/artifacts/package-test.log
version=$(sed -n 's/^#define VARENKO_VERSION "\(.*\)"$/\1/p' "$root/build/win/generated/version.h")
export VARENKO_WINEPREFIX=$root/build/package-prefix
export WINEPREFIX=$VARENKO_WINEPREFIX WINEDEBUG=-all
# The shortcuts the installer makes must not become menu entries of this machine.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
mkdir -p "$root/build/artifacts"

source "$root/scripts/virtual-screen.sh"
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
start_virtual_screen

rm -rf "$dist/unzipped"
unzip -q "$dist/varenko-$version.zip" -d "$dist/unzipped" || { echo "package test: no zip for $version" >&2; exit 1; }
wineserver -k >/dev/null 2>&1 || true
rm -rf "$WINEPREFIX"
# No window manager on the virtual screen: unmanaged windows spare Wine its wait for one.
"$root/scripts/wine-run.sh" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
"$root/scripts/wine-run.sh" "$root/build/win/bin/package_tests.exe" >"$log" 2>&1
status=$?
if [ $status -eq 0 ]; then
  grep -E '^\[ +(OK|PASSED) +\]' "$log"
else
  cat "$log"
  echo "package test: failed (exit status $status), output in $log" >&2
fi
exit $status
