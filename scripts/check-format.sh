#!/usr/bin/env bash
# Checks that every C++ file git tracks is formatted as .clang-format says.
#
#   scripts/check-format.sh          lists the files that are not, and fails
#   scripts/check-format.sh --fix    formats them in place
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [[ ${1:-} == --fix ]]; then
  clang-format -i "${files[@]}"
  exit 0
fi

unformatted=()
for file in "${files[@]}"; do
  if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
    unformatted+=("$file")
  fi
done
if [[ ${#unformatted[@]} -gt 0 ]]; then
  printf 'not formatted: %s\n' "${unformatted[@]}" >&2
  echo "Fix with: scripts/check-format.sh --fix" >&2
  exit 1
fi
echo "format: ${#files[@]} files formatted"
