#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Kelvane need. Idempotent and quiet:
# when everything is there it only checks and says nothing.
set -euo pipefail

packages=(
  build-essential cmake pkgconf
  qt6-base-dev libgl-dev            # Qt 6 Widgets (its CMake files need the GL headers)
  libgtest-dev libgmock-dev         # GoogleTest and GoogleMock
  libbenchmark-dev                  # Google Benchmark for bench/
  xvfb xauth x11-utils xdotool openbox  # a real window without a screen, with and without a window manager
  fonts-liberation2 fonts-dejavu-core  # Arial-metric text, so captions fit the window's layout
  desktop-file-utils                # the desktop entry is checked as desktops read it
  python3                           # the real-window test closes the window through the X server
  clang libclang-rt-dev             # scripts/fuzz.sh: clang with libFuzzer and its sanitizers
  clang-format                      # scripts/format-check.sh
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "kelvane: missing packages: ${missing[*]}; install them as root (apt-get install ${missing[*]})" >&2
  exit 1
fi
echo "kelvane: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq >/dev/null
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
