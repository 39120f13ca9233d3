#!/usr/bin/env bash
# Runs every fuzz target of a build tree (build/fuzz, or the tree given) over its
# committed seeds (fuzz/corpus/<target>) and the inputs earlier runs found
# (<tree>/corpus/<target>), for a bounded time or number of inputs each, and prints one
# line per target. Any crash, sanitizer report or failed check fails the run; its input
# is kept in <tree>/artifacts.
#
#   fuzz/run.sh [--tree DIR] [--seconds N] [--runs N] [target...]
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
tree=$root/build/fuzz
seconds=60 runs=-1
targets=()
while [ $# -gt 0 ]; do
  case $1 in
    --tree) tree=$(cd "$2" && pwd); shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    --runs) runs=$2; seconds=0; shift 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done
bin=$tree/bin
if [ ${#targets[@]} -eq 0 ]; then
  for program in "$bin"/fuzz_*; do targets+=("$(basename "$program" | sed 's/^fuzz_//')"); done
fi

mkdir -p "$tree/artifacts" "$tree/logs"
status=0
for target in "${targets[@]}"; do
  found=$tree/corpus/$target
  log=$tree/logs/$target.log
  mkdir -p "$found"
  # New inputs go to the first folder; the committed seeds are only read.
  started=$SECONDS
  "$bin/fuzz_$target" "$found" "$root/fuzz/corpus/$target" -timeout=25 -rss_limit_mb=2048 \
    -max_total_time="$seconds" -runs="$runs" -print_final_stats=1 \
    -artifact_prefix="$tree/artifacts/$target-" >"$log" 2>&1
  rc=$?
  elapsed=$((SECONDS - started))
  executions=$(grep -a 'stat::number_of_executed_units' "$log" | awk '{print $2}')
  took=$(grep -a -E '^#[0-9]+.*(DONE|exec/s)' "$log" | tail -1 | sed -E 's/.*exec\/s: ([0-9]+).*/\1/')
  if [ "$rc" -eq 0 ]; then
    printf '%-18s ok      %10s inputs in %ss, %s inputs/s\n' "$target" "${executions:-?}" "$elapsed" "${took:-?}"
  else
    status=1
    printf '%-18s FAILED  after %s inputs; see %s\n' "$target" "${executions:-?}" "$log"
    grep -a -m1 -E 'fuzz check failed|runtime error|ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)' -A1 "$log" | sed 's/^/    /'
  fi
done
exit $status
