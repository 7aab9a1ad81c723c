#!/usr/bin/env bash
# Builds Kelvane in Release into build/ and opens its window, on FILE or on a copy of the bundled
# example model in the user's data folder (so that sorting and saving it leaves the repository alone).
# Usage: scripts/run.sh [FILE]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

echo "kelvane: checking the packages it needs" >&2
"$root/scripts/deps.sh"
echo "kelvane: configuring the build in build/" >&2
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
echo "kelvane: building (the first build takes a few minutes)" >&2
cmake --build "$root/build" --parallel "$(nproc)" --target kelvane | grep --line-buffered '^\[' >&2 || true
[ -x "$root/build/src/app/kelvane" ] || { echo "kelvane: the build failed" >&2; exit 1; }

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "kelvane: no display to open a window on (DISPLAY is not set); try: xvfb-run scripts/run.sh ${1:-}" >&2
  exit 1
fi

if [ $# -gt 0 ]; then
  model=$1
else
  examples="${XDG_DATA_HOME:-$HOME/.local/share}/Kelvane/examples"
  if [ ! -e "$examples/tower.dat" ]; then
    echo "kelvane: copying the example models to $examples" >&2
    mkdir -p "$examples"
    cp -n "$root"/examples/*.dat "$examples/"
  fi
  model="$examples/tower.dat"
fi
echo "kelvane: opening $model" >&2
exec "$root/build/src/app/kelvane" "$model"
