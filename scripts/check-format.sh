#!/usr/bin/env bash
# Checks that every C++ source follows .clang-format, listing the lines that do not.
#   scripts/check-format.sh          check (exit 1 when a file needs formatting)
#   scripts/check-format.sh --fix    format those files in place
set -euo pipefail
cd "$(dirname "$0")/.."

mode=(--dry-run --Werror)
case "${1:-}" in
  "") ;;
  --fix) mode=(-i) ;;
  *) echo "usage: scripts/check-format.sh [--fix]" >&2; exit 2 ;;
esac

./scripts/install-packages.sh --lean clang-format
# The sources git knows of; a copy of the tree without git takes every file below it but build/.
if git rev-parse --is-inside-work-tree > /dev/null 2>&1; then
  mapfile -t sources < <(git ls-files '*.cpp' '*.h')
else
  mapfile -t sources < <(find . -path ./build -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) -print)
fi
clang-format --style=file "${mode[@]}" "${sources[@]}"
