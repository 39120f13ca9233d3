#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own isolated prefix.
#   scripts/wine-run.sh PROGRAM.exe [ARGS...]
# The prefix is $VARENKO_WINEPREFIX, or build/wineprefix beside this script's tree.
# It is created on first use with no Mono/Gecko prompts and no crash dialog.
# When no X display is set, a private Xvfb runs for the life of the command.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
export WINEPREFIX=${VARENKO_WINEPREFIX:-$root/build/wineprefix}
export WINEDEBUG=-all
export WINEARCH=win64
export LANG=C.UTF-8 LC_ALL=C.UTF-8
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}

source "$(dirname "${BASH_SOURCE[0]}")/virtual-screen.sh"
cleanup() {
  if [ -n "$xvfb_pid" ]; then
    wineserver -k >/dev/null 2>&1 || true
    kill "$xvfb_pid" 2>/dev/null || true
  fi
}
trap cleanup EXIT
start_virtual_screen

mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/.varenko-ready" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f >/dev/null 2>&1 || true
    touch "$WINEPREFIX/.varenko-ready"
  fi
) 9>"$WINEPREFIX.lock"

wine "$@"
