#!/usr/bin/env bash
# Sales per second from 1, 2, 4 and 8 tills at once against one development shop server
# (build first: `make bench`), each count's run checked as till_load.exe checks it, then
# one run of 8 tills in which the server ends itself halfway and is started again.
#   bench/till_load.sh [seconds]     (default 10 s of sales per count, at most 5000 a till)
# With no DISPLAY, scripts/wine-run.sh runs a private Xvfb for each run.
# Only one shop server can own \pipe\rpcvk: do not run it while the tests run.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe=build/win/bin/till_load.exe
seconds=${1:-10}
cd "$root"
if [ ! -f "$exe" ]; then
  echo "bench/till_load.sh: $exe is missing; build it first with: make bench" >&2
  exit 1
fi
printf '%-6s %7s %8s %8s\n' tills sales seconds sales/s
for tills in 1 2 4 8; do
  out=$(scripts/wine-run.sh "$exe" "$tills" 5000 "$seconds" 2>&1) || { echo "$out" >&2; exit 1; }
  # "till_load: T tills, N sales answered in S s: R sales/s"
  awk '/^till_load: [0-9]+ tills,/ { printf "%-6s %7s %8s %8s\n", $2, $4, $8, $10 }' <<<"$out"
done
out=$(scripts/wine-run.sh "$exe" 8 100 60 --restart 2>&1) || { echo "$out" >&2; exit 1; }
echo "$out"
