#!/usr/bin/env bash
# Builds Kelvane in Release into build/ and opens its window, on FILE or on the bundled example model.
# Usage: scripts/run.sh [FILE]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build" --parallel "$(nproc)" --target kelvane >/dev/null

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "kelvane: no display to open a window on (DISPLAY is not set); try: xvfb-run scripts/run.sh ${1:-}" >&2
  exit 1
fi

model=${1:-"$root/examples/tower.dat"}
exec "$root/build/src/app/kelvane" "$model"
