#!/usr/bin/env bash
# Checks every tracked C++ source and header against .clang-format without changing any file; lists
# the files that are off and exits non-zero if there is one. Fix them with: clang-format -i FILE...
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/deps.sh"
mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
off=()
for file in "${files[@]}"; do
  clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || off+=("$file")
done
if [ ${#off[@]} -gt 0 ]; then
  printf 'not formatted: %s\n' "${off[@]}" >&2
  echo "format check: ${#off[@]} of ${#files[@]} files are off .clang-format ($(clang-format --version))" >&2
  exit 1
fi
echo "format check: all ${#files[@]} files follow .clang-format"
