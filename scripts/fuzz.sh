#!/usr/bin/env bash
# Builds the libFuzzer targets in fuzz/ with clang, AddressSanitizer and UndefinedBehaviorSanitizer into
# build/fuzz, and runs each for SECONDS (default 30) from its seed corpus in fuzz/corpus/<target>.
# Prints one line per target; exits non-zero when any target finds a crash, a sanitizer report or a
# broken property. A finding's input is kept as build/fuzz/findings/<target>/crash-*, its log beside it.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
build="$root/build/fuzz"

"$root/scripts/deps.sh"
cmake --preset fuzz -S "$root" >/dev/null
cmake --build "$build" --parallel "$(nproc)" >/dev/null

export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
status=0
for source in "$root"/fuzz/fuzz_*.cpp; do
  target=$(basename "$source" .cpp)
  findings="$build/findings/$target"
  corpus="$build/corpus/$target"  # what the run learns stays out of the repository's seeds
  mkdir -p "$findings" "$corpus"
  log="$findings/last-run.log"
  if "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$findings/" "$corpus" "$root/fuzz/corpus/$target" >"$log" 2>&1; then
    result=ok
  else
    result="FINDING (see $log)"
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  printf '%-20s %10s runs  %s\n' "$target" "${runs:-?}" "$result"
done
exit $status
