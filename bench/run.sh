#!/usr/bin/env bash
# Runs the remote-call benchmark of the cross build (build it first: `make bench`).
#   bench/run.sh [count]     (default 1000 round trips per call)
# With no DISPLAY, scripts/wine-run.sh runs a private Xvfb for the life of the run.
# Only one shop server can own \pipe\rpcvk: do not run it while the tests run.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe=build/win/bin/rpc_bench.exe
cd "$root"
if [ ! -f "$exe" ]; then
  echo "bench/run.sh: $exe is missing; build it first with: make bench" >&2
  exit 1
fi
scripts/wine-run.sh "$exe" "${1:-1000}"
