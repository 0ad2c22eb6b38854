#!/usr/bin/env bash
# Formats every C and C++ source of the project with clang-format, or with
# --check lists the files that are not formatted and fails.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' '*.c')
[ ${#files[@]} -eq 0 ] && exit 0

if [ "${1:-}" != "--check" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi

unformatted=()
for f in "${files[@]}"; do
  [ -f "$f" ] || continue
  clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || unformatted+=("$f")
done
if [ ${#unformatted[@]} -ne 0 ]; then
  echo "These files are not formatted (run 'make format'):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
