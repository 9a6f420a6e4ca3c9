#!/usr/bin/env bash
# Builds the libFuzzer targets (the `fuzz` preset: clang, address and undefined
# behaviour sanitizers) and runs each for SECONDS (default 60) from its seed
# corpus in fuzz/corpus/<target>. Inputs that reach new code are kept in
# build/fuzz/corpus/<target>; an input that breaks a target is written to
# build/fuzz/findings/<target>/ and fails the run. Fix the code, then keep the
# input in fuzz/findings/<target>/, where the Fuzz.<target>.KeptInputs test of
# every build replays it.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
if ! [[ $seconds =~ ^[0-9]+$ ]] || [[ $seconds -eq 0 ]]; then
  echo "usage: scripts/fuzz.sh [SECONDS]" >&2
  exit 2
fi

./scripts/install-packages.sh
./scripts/install-packages.sh --lean clang libclang-rt-14-dev
cmake --preset fuzz
cmake --build --preset fuzz

# One line of the fuzzer's final statistics: "stat::name: value".
stat() { sed -n "s/^stat::$1: *//p" "$2" | tail -1; }

status=0
printf '%-18s %12s %10s %8s  %s\n' target executions "exec/s" corpus outcome
for program in build/fuzz/fuzz/fuzz_*; do
  target=${program##*/fuzz_}
  work=build/fuzz/corpus/$target
  findings=build/fuzz/findings/$target
  log=build/fuzz/$target.log
  mkdir -p "$work" "$findings"
  outcome=clean
  if ! "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$findings/" -print_final_stats=1 "$work" "fuzz/corpus/$target" >"$log" 2>&1; then
    outcome="FINDING: $(ls -t "$findings" | head -1) (see $log)"
    status=1
  fi
  printf '%-18s %12s %10s %8s  %s\n' "$target" "$(stat number_of_executed_units "$log")" \
    "$(stat average_exec_per_sec "$log")" "$(find "$work" -type f | wc -l)" "$outcome"
done
exit $status
