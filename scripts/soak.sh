#!/usr/bin/env bash
# Runs the soak: TRANSACTIONS (default 20000) mixed operations against the
# emulator with faults switched on and off, in the default build.
#   scripts/soak.sh [TRANSACTIONS] [SEED]
set -euo pipefail
cd "$(dirname "$0")/.."
transactions=${1:-20000}
seed=${2:-48}
cmake --build --preset default --target test_soak
exec build/default/tests/test_soak --transactions "$transactions" --seed "$seed"
