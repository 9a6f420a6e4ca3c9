#!/usr/bin/env bash
# Installs what is missing, checks the sources' layout, builds everything (warnings are
# errors) and runs the whole test suite.
#   scripts/test.sh          the default preset (build/default)
#   scripts/test.sh --asan   the address and undefined-behaviour sanitizer build (build/asan)
set -euo pipefail
cd "$(dirname "$0")/.."

preset=default
case "${1:-}" in
  "") ;;
  --asan) preset=asan ;;
  *) echo "usage: scripts/test.sh [--asan]" >&2; exit 2 ;;
esac

./scripts/install-packages.sh
./scripts/check-format.sh
cmake --preset "$preset"
cmake --build --preset "$preset"
ctest --preset "$preset"
