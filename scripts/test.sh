#!/usr/bin/env bash
# Builds Kelvane with its tests and benchmarks into build/ and runs every test through CTest.
# Widget tests run on Qt's offscreen platform, so no display is needed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release \
  -DKELVANE_BUILD_TESTS=ON -DKELVANE_BUILD_BENCHMARKS=ON >/dev/null
cmake --build "$root/build" --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$root/build" --output-on-failure --parallel "$(nproc)" --no-tests=error "$@"
