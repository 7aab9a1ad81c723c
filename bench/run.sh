#!/usr/bin/env bash
# Checks Kelvane against its speed and memory targets on this machine: builds in Release, generates
# models of 1,000,000 and 10,000,000 lines (a STEP every 50 parts), and measures, with commands run in
# turn so that a busy moment weighs on all alike (bench/measure.py; best time, largest peak memory):
#   kelvane-sort -o OUT FILE against `cat FILE > OUT` and GNU sort on the same keys, --no-steps, a model
#   with "0 BFC INVERTNEXT" lines, the 10M model, and the window's first paint of both models.
# Prints PASS or FAIL for each target.
# Usage: bench/run.sh [--engine]   (--engine also runs the Google Benchmark programs over the engine)
# Exit status: 0 when every target is met, 1 when one is missed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KELVANE_BENCH_BUILD_DIR:-"$root/build-bench"}
runs=5

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKELVANE_BUILD_GUI=ON \
  -DKELVANE_BUILD_TESTS=OFF -DKELVANE_BUILD_BENCHMARKS=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)" \
  --target kelvane-sort kelvane-make-model kelvane_sort_benchmark kelvane-first-paint >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
make_model="$build/bench/kelvane-make-model"
"$make_model" 1000000 1 >"$work/model.ldr"
"$make_model" 1000000 1 10 >"$work/metas.ldr"  # "0 BFC INVERTNEXT" before one part in ten
"$make_model" 10000000 1 >"$work/model10.ldr"
sorter="$build/src/cli/kelvane-sort"
paint="$build/bench/kelvane-first-paint"
measure="python3 $root/bench/measure.py"
size_kib() { echo $(($(stat -c %s "$1") / 1024)); }

failures=0
# check CONDITION: sets result to PASS or FAIL (awk arithmetic; counts the failures).
check() {
  if awk "BEGIN { exit !($1) }"; then result=PASS; else result=FAIL; failures=$((failures + 1)); fi
}
row() { printf '%-46s %10s   %-22s %s\n' "$1" "$2" "$3" "$result"; }

cd "$work"
echo "Models: 1M lines $(du -m model.ldr | cut -f1) MB, 10M lines $(du -m model10.ldr | cut -f1) MB"
read -r sort_time sort_kib cat_time _ gnu_time _ <<<"$($measure "$runs" \
  "'$sorter' -o out.ldr model.ldr" "cat model.ldr > cat.ldr" \
  "LC_ALL=C sort -s -t' ' -k4,4gr -k5,5gr -k3,3g model.ldr > gnu.ldr" | tr '\n' ' ')"
# The model with metas is a little larger (one line in eleven more), so it is held to its own copy.
read -r no_steps_time _ metas_time _ metas_cat_time _ <<<"$($measure "$runs" \
  "'$sorter' --no-steps -o out.ldr model.ldr" "'$sorter' -o out.ldr metas.ldr" \
  "cat metas.ldr > cat.ldr" | tr '\n' ' ')"
read -r big_time big_kib big_cat_time _ <<<"$($measure 3 \
  "'$sorter' -o out10.ldr model10.ldr" "cat model10.ldr > cat10.ldr" | tr '\n' ' ')"
rm -f out10.ldr cat10.ldr
# The window reports its own time from the start of main to the painted list, and its peak memory.
first_paint() {
  for _ in 1 2 3; do "$paint" "$1" 2>/dev/null; done | sort -n | awk 'NR == 1 { t = $1 } $2 > m { m = $2 } END { print t, m }'
}
read -r paint_time paint_kib <<<"$(first_paint model.ldr)"
read -r big_paint_time big_paint_kib <<<"$(first_paint model10.ldr)"
size=$(size_kib model.ldr)
big_size=$(size_kib model10.ldr)

check "$sort_time <= 4 * $cat_time"
row "kelvane-sort -o OUT FILE (1M)" "$sort_time s" "<= 4 x cat ($cat_time s)" "$result"
check "$gnu_time >= 20 * $sort_time"
row "GNU sort on the same keys, same run" "$gnu_time s" \
  "$(awk -v a="$gnu_time" -v b="$sort_time" 'BEGIN { printf "%.1f x, target >= 20 x", a / b }')"
check "$no_steps_time < 1.5"
row "kelvane-sort --no-steps (1M)" "$no_steps_time s" "< 1.5 s"
check "$metas_time <= 4 * $metas_cat_time"
row "the same with INVERTNEXT every 10 parts" "$metas_time s" "<= 4 x cat ($metas_cat_time s)"
check "$big_time <= 1.5"
row "kelvane-sort -o OUT FILE (10M)" "$big_time s" "<= 1.5 s (cat $big_cat_time s)"
# memory_row WHAT PEAK_1M PEAK_10M LIMIT: each peak (KiB) as a multiple of its model's size, against LIMIT.
memory_row() {
  check "$2 <= $4 * $size && $3 <= $4 * $big_size"
  row "$1 peak memory 1M / 10M" "$(awk -v a="$2" -v b="$size" -v c="$3" -v d="$big_size" \
    'BEGIN { printf "%.3f/%.3f", a / b, c / d }') x" "<= $4 x the file"
}
memory_row kelvane-sort "$sort_kib" "$big_kib" 1.3
check "$paint_time <= 0.3"
row "window, first paint (1M)" "$paint_time s" "<= 0.3 s"
check "$big_paint_time <= 2"
row "window, first paint (10M)" "$big_paint_time s" "<= 2 s"
memory_row window "$paint_kib" "$big_paint_kib" 2

if [ "${1:-}" = "--engine" ]; then
  "$build/bench/kelvane_sort_benchmark"
fi
[ "$failures" -eq 0 ]
