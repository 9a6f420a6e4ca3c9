#!/usr/bin/env bash
# Runs the soak, in the default build: TRANSACTIONS (default 20000) mixed
# operations against the emulator with faults switched on and off, then ROUNDS
# (default 300) of `zm48d events --clear` under stops at random moments, outputs
# that fail and faults, after which no event may be lost, then HARVESTS (default
# 100) rounds of `zm48d harvest`, some killed, while the emulator records events,
# after which every event must be stored exactly once.
#   scripts/soak.sh [TRANSACTIONS] [SEED] [ROUNDS] [HARVESTS]
set -euo pipefail
cd "$(dirname "$0")/.."
transactions=${1:-20000}
seed=${2:-48}
rounds=${3:-300}
harvests=${4:-100}
cmake --build --preset default --target test_soak zm48d
exec build/default/tests/test_soak --transactions "$transactions" --seed "$seed" --event-rounds "$rounds" \
  --harvest-rounds "$harvests"
