#!/usr/bin/env bash
# Checks kelvane-sort against its speed targets on this machine: builds in Release, generates a
# 1,000,000-line model, times `kelvane-sort -o OUT FILE` and GNU sort on the same keys in the same run
# (best of 5 each), then `--no-steps`, and prints PASS or FAIL for each target.
# Usage: bench/run.sh [--engine]   (--engine also runs the Google Benchmark programs over the engine)
# Exit status: 0 when every target is met, 1 when one is missed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KELVANE_BENCH_BUILD_DIR:-"$root/build-bench"}
lines=1000000
runs=5

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKELVANE_BUILD_GUI=OFF \
  -DKELVANE_BUILD_TESTS=OFF -DKELVANE_BUILD_BENCHMARKS=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)" \
  --target kelvane-sort kelvane-make-model kelvane_sort_benchmark >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
model="$work/model.ldr"
"$build/bench/kelvane-make-model" "$lines" 1 >"$model"
metas_model="$work/metas.ldr"
"$build/bench/kelvane-make-model" "$lines" 1 10 >"$metas_model"  # "0 BFC INVERTNEXT" before one part in ten
sorter="$build/src/cli/kelvane-sort"

# Best wall-clock time of $runs runs of a shell command line, in seconds; one run before them warms
# the page cache.
best_time() {
  local command=$1
  if command -v hyperfine >/dev/null 2>&1; then
    hyperfine --style none --warmup 1 --runs "$runs" --export-csv "$work/times.csv" "$command" >/dev/null
    awk -F, 'NR == 2 { printf "%.3f\n", $7 }' "$work/times.csv"
    return
  fi
  bash -c "$command"
  local best="" start end
  for _ in $(seq "$runs"); do
    start=$(date +%s.%N)
    bash -c "$command"
    end=$(date +%s.%N)
    best=$(awk -v s="$start" -v e="$end" -v b="$best" 'BEGIN { t = e - s; if (b == "" || t < b) b = t; printf "%.3f\n", b }')
  done
  echo "$best"
}

# check CONDITION: sets result to PASS or FAIL (awk arithmetic; counts the failures).
failures=0
check() {
  if awk "BEGIN { exit !($1) }"; then result=PASS; else result=FAIL; failures=$((failures + 1)); fi
}

echo "Model: $lines lines, $(du -m "$model" | cut -f1) MB, a STEP line every 50 parts"
sort_time=$(best_time "'$sorter' -o '$work/out.ldr' '$model'")
gnu_time=$(best_time "LC_ALL=C sort -s -t' ' -k4,4gr -k5,5gr -k3,3g '$model' >'$work/gnu.ldr'")
ratio=$(awk -v a="$gnu_time" -v b="$sort_time" 'BEGIN { printf "%.1f\n", a / b }')
no_steps_time=$(best_time "'$sorter' --no-steps -o '$work/out.ldr' '$model'")
metas_time=$(best_time "'$sorter' -o '$work/out.ldr' '$metas_model'")

check "$sort_time < 0.4"
printf '%-36s %8s s   target < 0.4 s   %s\n' "kelvane-sort -o OUT FILE" "$sort_time" "$result"
printf '%-36s %8s s\n' "GNU sort on the same keys" "$gnu_time"
check "$gnu_time >= 10 * $sort_time"
printf '%-36s %8s x   target >= 10 x   %s\n' "speed-up over GNU sort" "$ratio" "$result"
check "$no_steps_time < 1.5"
printf '%-36s %8s s   target < 1.5 s   %s\n' "kelvane-sort --no-steps -o OUT FILE" "$no_steps_time" "$result"
check "$metas_time < 0.4"
printf '%-36s %8s s   target < 0.4 s   %s\n' "the same, INVERTNEXT every 10 parts" "$metas_time" "$result"

if [ "${1:-}" = "--engine" ]; then
  "$build/bench/kelvane_sort_benchmark"
fi
[ "$failures" -eq 0 ]
