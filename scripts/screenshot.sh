#!/usr/bin/env bash
# Makes docs/screenshot.png (or, with a scale, docs/screenshot-scale2.png and the like): the real
# Kelvane window on the example model, in a virtual X display, with a fresh settings folder so the
# picture shows the first-run defaults.
# Usage: scripts/screenshot.sh [SCALE]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/deps.sh"
if ! command -v import >/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends imagemagick >/dev/null
fi
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build" --parallel "$(nproc)" --target kelvane >/dev/null

scale=${1:-1}
picture="$root/docs/screenshot.png"
[ "$scale" = 1 ] || picture="$root/docs/screenshot-scale$scale.png"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/examples/tower.dat" "$root/examples/wall.dat" "$work/"

xvfb-run -a -s "-screen 0 2048x1536x24" bash -c '
  set -euo pipefail
  HOME="$1" XDG_CONFIG_HOME="$1/config" QT_SCALE_FACTOR="$4" "$2" "$1/tower.dat" &
  program=$!
  window=$(timeout 20 xdotool search --sync --name "^Kelvane$" | head -n 1)
  sleep 1
  import -window "$window" "$3"
  kill "$program"
' _ "$work" "$root/build/src/app/kelvane" "$picture" "$scale"
echo "wrote $picture"
